#pragma once

#include <QList>

// The codes of the parse errors the tree construction finds. The standard names these errors
// only in prose, so the codes are this program's own; each has a German text in the checker.
namespace TreeError {
// Each error's span is the token it was found at (a tag, the first character of a run of text,
// the whole run for text put before a table), and `name` the element concerned; where another
// place is meant, it says so.

// Content before any <!DOCTYPE>: the page is shown in quirks mode.
inline constexpr char MissingDoctype[] = "missing-doctype";
// A doctype other than <!DOCTYPE html> (or with "about:legacy-compat"); name: its name.
inline constexpr char NonConformingDoctype[] = "non-conforming-doctype";
// A doctype after the start of the page; it is ignored.
inline constexpr char UnexpectedDoctype[] = "unexpected-doctype";
// A start tag that may not stand where it is; mostly ignored.
inline constexpr char UnexpectedStartTag[] = "unexpected-start-tag";
// An end tag that may not stand where it is; ignored.
inline constexpr char UnexpectedEndTag[] = "unexpected-end-tag";
// Text where no text may stand (in a frameset, between table columns); ignored.
inline constexpr char UnexpectedText[] = "unexpected-text";
// An end tag for an element that is not open (or not reachable from here); ignored, except
// that </p> makes an empty paragraph.
inline constexpr char EndTagWithoutOpenElement[] = "end-tag-without-matching-open-element";
// An element still open at the end of the page, at </body> or </html>; the span is the
// element's start tag, or the end of the page where the parser made the element up.
inline constexpr char ElementNotClosed[] = "element-not-closed";
// An end tag (or a start tag that ends an element) closed `name` too, which was still open.
inline constexpr char ElementClosedImplicitly[] = "element-closed-implicitly";
// An end tag of a formatting element (<b>, <i>, <a>, ...) while elements opened inside it are
// still open: the parser splits them, as in <b>1<p>2</b>3</p>.
inline constexpr char MisnestedTag[] = "misnested-tag";
// The end tag of a formatting element that was already closed by another element's end.
inline constexpr char FormattingElementClosed[] = "formatting-element-already-closed";
// The end tag of a formatting element opened outside the table, cell or object it stands in;
// ignored.
inline constexpr char FormattingElementNotInScope[] = "formatting-element-not-in-scope";
// An element opened inside one of its own kind that may not hold it (<a> in <a>, <form> in
// <form>, <button>, <nobr>, <table>, <select>); the first one is closed, or the tag ignored.
inline constexpr char NestedElement[] = "nested-element";
// A heading opened directly inside another heading, which it closes.
inline constexpr char NestedHeading[] = "nested-heading";
// A second <html>, <head> or <body> start tag; its new attributes go to the first element.
inline constexpr char RepeatedStartTag[] = "repeated-start-tag";
// An element of the head (<meta>, <link>, <title>, ...) after </head>; it is put into the head.
inline constexpr char HeadElementAfterHead[] = "head-element-after-head";
// Text in a table outside its cells; the span covers it; it is shown before the table.
inline constexpr char TextInTable[] = "text-in-table";
// A tag in a table outside its cells; the element is put before the table (a hidden <input>
// and an empty <form> stay in it).
inline constexpr char TagInTable[] = "tag-in-table";
// A <td> or <th> outside a <tr>; the parser adds the row.
inline constexpr char CellOutsideRow[] = "cell-outside-row";
// Content after </body> or </html>; it is put into the body after all.
inline constexpr char ContentAfterBody[] = "content-after-body";
// A NUL character in text; dropped (in SVG and MathML shown as U+FFFD).
inline constexpr char NullCharacterInText[] = "null-character-in-text";
// </br>, which is read as <br>.
inline constexpr char BrEndTag[] = "br-end-tag";
// <image>, which is read as <img>.
inline constexpr char ImageStartTag[] = "image-start-tag";
// An HTML element inside SVG or MathML that ends them (<p>, <div>, <b>, ...).
inline constexpr char HtmlTagInForeignContent[] = "html-tag-in-foreign-content";
// An xmlns or xmlns:xlink attribute with another namespace than the element's; the span is
// the attribute's name.
inline constexpr char WrongXmlnsAttribute[] = "wrong-xmlns-attribute";
// "/>" on an HTML element that is not void (<div/>): the element stays open. The standard names
// this one among the tokenizer's errors, but only the tree construction knows the element.
inline constexpr char SelfClosingNonVoid[] = "non-void-html-element-start-tag-with-trailing-solidus";
} // namespace TreeError

// Every code above, once.
QList<const char *> treeConstructionErrorCodes();
