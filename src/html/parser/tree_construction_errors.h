#pragma once

#include <QList>

// The codes of the parse errors the tree construction finds. The standard names these errors
// only in prose, so the codes are this program's own; each has a German text in the checker.
namespace TreeError {
inline constexpr char MissingDoctype[] = "missing-doctype";
inline constexpr char NonConformingDoctype[] = "non-conforming-doctype";
inline constexpr char UnexpectedDoctype[] = "unexpected-doctype";
inline constexpr char UnexpectedStartTag[] = "unexpected-start-tag";
inline constexpr char UnexpectedEndTag[] = "unexpected-end-tag";
inline constexpr char UnexpectedText[] = "unexpected-text";
inline constexpr char EndTagWithoutOpenElement[] = "end-tag-without-matching-open-element";
inline constexpr char ElementNotClosed[] = "element-not-closed";
inline constexpr char ElementClosedImplicitly[] = "element-closed-implicitly";
inline constexpr char MisnestedTag[] = "misnested-tag";
inline constexpr char FormattingElementClosed[] = "formatting-element-already-closed";
inline constexpr char FormattingElementNotInScope[] = "formatting-element-not-in-scope";
inline constexpr char NestedElement[] = "nested-element";
inline constexpr char NestedHeading[] = "nested-heading";
inline constexpr char RepeatedStartTag[] = "repeated-start-tag";
inline constexpr char HeadElementAfterHead[] = "head-element-after-head";
inline constexpr char TextInTable[] = "text-in-table";
inline constexpr char TagInTable[] = "tag-in-table";
inline constexpr char CellOutsideRow[] = "cell-outside-row";
inline constexpr char ContentAfterBody[] = "content-after-body";
inline constexpr char NullCharacterInText[] = "null-character-in-text";
inline constexpr char BrEndTag[] = "br-end-tag";
inline constexpr char ImageStartTag[] = "image-start-tag";
inline constexpr char HtmlTagInForeignContent[] = "html-tag-in-foreign-content";
inline constexpr char WrongXmlnsAttribute[] = "wrong-xmlns-attribute";
// This one the standard names itself, among the tokenizer's errors, but only the tree
// construction knows whether the element may be written so.
inline constexpr char SelfClosingNonVoid[] = "non-void-html-element-start-tag-with-trailing-solidus";
} // namespace TreeError

// Every code above, once.
QList<const char *> treeConstructionErrorCodes();
