#pragma once

#include "html/conformance/conformance_tables.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

struct HtmlNode;

// What an element may hold, read from the compact form of the generated tables.
enum class ContentKind : unsigned char {
    Empty,       // a void element
    Nothing,     // no elements and no text
    Text,        // text only
    Any,         // not judged
    Transparent, // what the parent allows at that place
    Set,         // elements of some categories or names
    Sequence,    // sequence in order
    Special,     // code of its own
};

// A set of elements: those of some categories, those named; text where flow or phrasing is in.
struct ContentSet
{
    quint32 categories = 0;
    QStringList names;
    bool transparent = false; // also what the parent allows

    bool allowsText() const;
};

// One slot of a sequence: which children it takes, how many.
struct ContentSlot
{
    ContentSet set;
    int minimum = 1;
    int maximum = 1; // INT_MAX: any number
};

struct ElementRule
{
    QString name;
    quint32 categories = 0;
    quint32 conditionalCategories = 0;
    QString conditionAttribute; // present: the conditional categories hold
    bool conditionTypeNotHidden = false;
    ContentKind content = ContentKind::Any;
    ContentSet contentSet;
    QList<ContentSlot> sequence;
    ContentSet excluded; // descendants it must not have
    QStringList excludedAttributes; // nor descendants carrying these
    int excluderIndex = -1; // among the elements with exclusions, or -1
    QSet<QString> attributes;
    QList<QStringList> required; // each: one of these must be there
    QHash<QString, QString> obsoleteAttributes; // name -> text key
    ElementStatus status = ElementStatus::Current;
    QString statusKey;

    bool hasExclusions() const { return excluderIndex >= 0; }
};

// The generated tables, read once into lookups.
class ConformanceCatalog
{
public:
    static const ConformanceCatalog &instance();

    // The rule of an HTML element by its local name, or nullptr for an unknown one.
    const ElementRule *element(const QString &name) const;
    // The elements with descendants they must not have, by their excluder index.
    const QList<const ElementRule *> &excluders() const { return m_excluders; }

    // The categories an element has here, its attributes considered.
    quint32 categoriesOf(const HtmlNode &element) const;

    bool isGlobalAttribute(const QString &name) const { return m_global.contains(name); }
    bool isEventHandler(const QString &name) const { return m_eventHandlers.contains(name); }
    bool isWindowEventHandler(const QString &name) const { return m_windowHandlers.contains(name); }
    // The text key of an attribute that is obsolete on that element, or a null string.
    QString obsoleteAttributeKey(const ElementRule &rule, const QString &attribute) const;
    // The input types an attribute of <input> applies to; empty: every type.
    QStringList inputTypesFor(const QString &attribute) const { return m_inputTypes.value(attribute); }
    static QStringList inputTypes();

    // Every text key the tables name (obsolete elements and attributes).
    QStringList textKeys() const;

private:
    ConformanceCatalog();

    QHash<QString, ElementRule> m_elements;
    QSet<QString> m_global;
    QSet<QString> m_eventHandlers;
    QSet<QString> m_windowHandlers;
    QHash<QString, QString> m_obsoleteEverywhere;
    QHash<QString, QStringList> m_inputTypes;
    QList<const ElementRule *> m_excluders;
};

// A valid custom element name: a lower-case letter first, a hyphen within, and not one of the
// names the standard reserves.
bool isCustomElementName(const QString &name);
