#pragma once

#include "html/parser/tree_paths.h"

#include <QString>

#include <optional>

class QPointF;
class QVariant;

// The scripts that the link between source and preview runs in the shown page, apart from the
// page's own, and the reading of their answers. Both sides name an element by its path of
// element positions from the document, checked by the names along it and by the shape of the
// whole element tree (TreePaths::shape), which the scripts compute alike in the browser.

// The element to frame in the page of a file, with the shape its tree must have.
struct FrameRequest
{
    QString file; // the page's absolute local path
    quint32 shape = 0;
    ElementPath path;
    friend bool operator==(const FrameRequest &, const FrameRequest &) = default;
};

// Frames the element of the request with an outline, after taking away any frame before, and
// answers "framed", or why not. Without a request it only takes the frame away. With
// `scroll`, an element wholly outside the view is scrolled into it.
QString frameScript(const std::optional<FrameRequest> &request, bool scroll);

// What lies under a place of the page (CSS pixels from the viewport's corner).
QString clickScript(const QPointF &place);

// What the click script found: the page, its tree's shape, the element's path, and where the
// place fell on a text that is that element's child, if it did.
struct PreviewClick
{
    QString file;
    quint32 shape = 0;
    ElementPath path;
    int textIndex = -1; // among the element's child nodes, adjacent texts counted as one
    qsizetype character = -1; // in that text
    QString textData;
};

// The answer of the click script; nothing where it found no element or is not understood.
std::optional<PreviewClick> readClick(const QVariant &answer);
