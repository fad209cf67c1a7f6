#pragma once

#include "html/parser/tree_paths.h"

#include <QString>

#include <optional>

class QPointF;
class QVariant;

// The scripts that the link between source and preview runs in the shown page, apart from the
// page's own, and the reading of their answers. Both sides name an element by its path of
// element positions from the document, checked by the names and sibling counts along it and by
// the number of elements in the whole tree (TreePaths::elementCount). (A fingerprint of the
// whole tree would be stronger, but walking the browser's tree from a script takes a quarter of
// a second for a page of 1 MiB, where the engine counts its elements in a few milliseconds.)

// The element to frame in the page of a file, with the element count its tree must have.
struct FrameRequest
{
    QString file; // the page's absolute local path
    qsizetype elementCount = 0;
    ElementPath path;
    friend bool operator==(const FrameRequest &, const FrameRequest &) = default;
};

// Frames the element of the request with an outline, after taking away any frame before, and
// answers "framed", or why not. Without a request it only takes the frame away. With
// `scroll`, an element wholly outside the view is scrolled into it.
QString frameScript(const std::optional<FrameRequest> &request, bool scroll);

// What lies under a place of the page (CSS pixels from the viewport's corner).
QString clickScript(const QPointF &place);

// What the click script found: the page, its tree's element count, the element's path, and
// where the place fell on a text that is that element's child, if it did.
struct PreviewClick
{
    QString file;
    qsizetype elementCount = 0;
    ElementPath path;
    int textIndex = -1; // among the element's child nodes, adjacent texts counted as one
    qsizetype character = -1; // in that text
    QString textData;
};

// The answer of the click script; nothing where it found no element or is not understood.
std::optional<PreviewClick> readClick(const QVariant &answer);
