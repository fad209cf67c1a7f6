#include "html/parser/tree_construction_errors.h"

QList<const char *> treeConstructionErrorCodes()
{
    return {
        TreeError::MissingDoctype,
        TreeError::NonConformingDoctype,
        TreeError::UnexpectedDoctype,
        TreeError::UnexpectedStartTag,
        TreeError::UnexpectedEndTag,
        TreeError::UnexpectedText,
        TreeError::EndTagWithoutOpenElement,
        TreeError::ElementNotClosed,
        TreeError::ElementClosedImplicitly,
        TreeError::MisnestedTag,
        TreeError::FormattingElementClosed,
        TreeError::FormattingElementNotInScope,
        TreeError::NestedElement,
        TreeError::NestedHeading,
        TreeError::RepeatedStartTag,
        TreeError::HeadElementAfterHead,
        TreeError::TextInTable,
        TreeError::TagInTable,
        TreeError::CellOutsideRow,
        TreeError::ContentAfterBody,
        TreeError::NullCharacterInText,
        TreeError::BrEndTag,
        TreeError::ImageStartTag,
        TreeError::HtmlTagInForeignContent,
        TreeError::WrongXmlnsAttribute,
        TreeError::SelfClosingNonVoid,
    };
}
