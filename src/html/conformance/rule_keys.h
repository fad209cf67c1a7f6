#pragma once

#include <QList>

// The keys of the rules' messages, each with its German text in ConformanceTexts. The obsolete
// elements and attributes name theirs in the generated tables, the parser its own codes.
namespace RuleKey {
inline constexpr char ANameWithoutHref[] = "a-name-without-href";
inline constexpr char AreaWithoutAlt[] = "area-without-alt";
inline constexpr char AreaWithoutMap[] = "area-without-map";
inline constexpr char AttributeForOtherType[] = "attribute-for-other-type";
inline constexpr char AttributeMissing[] = "attribute-missing";
inline constexpr char AttributeNeedsHref[] = "attribute-needs-href";
inline constexpr char AttributeNeedsItemscope[] = "attribute-needs-itemscope";
inline constexpr char AttributeNotAllowed[] = "attribute-not-allowed";
inline constexpr char AttributeNotAllowedInside[] = "attribute-not-allowed-inside";
inline constexpr char AutofocusSecond[] = "autofocus-second";
inline constexpr char MetaCharsetLate[] = "meta-charset-late";
inline constexpr char TextNotNormalized[] = "text-not-normalized";
inline constexpr char BaseAfterLink[] = "base-after-link";
inline constexpr char LabelForOtherControl[] = "label-for-other-control";
inline constexpr char BodySecondPresentational[] = "body-second-presentational";
inline constexpr char DlDdFirst[] = "dl-dd-first";
inline constexpr char DoctypeMissing[] = "doctype-missing";
inline constexpr char DoctypeOld[] = "doctype-old";
inline constexpr char DoctypeOldQuirks[] = "doctype-old-quirks";
inline constexpr char DoctypeWrong[] = "doctype-wrong";
inline constexpr char DuplicateId[] = "duplicate-id";
inline constexpr char DuplicateIdFirst[] = "duplicate-id-first";
inline constexpr char ElementMissingChild[] = "element-missing-child";
inline constexpr char ElementNotAllowedIn[] = "element-not-allowed-in";
inline constexpr char ElementNotAllowedInside[] = "element-not-allowed-inside";
inline constexpr char FormAttributeWrong[] = "form-attribute-wrong";
inline constexpr char HeadSecondBase[] = "head-second-base";
inline constexpr char HeadSecondTitle[] = "head-second-title";
inline constexpr char HeadWithoutTitle[] = "head-without-title";
inline constexpr char HeadersWrong[] = "headers-wrong";
inline constexpr char HeadingEmpty[] = "heading-empty";
inline constexpr char HeadingLevelSkip[] = "heading-level-skip";
inline constexpr char HeadingNoH1[] = "heading-no-h1";
inline constexpr char HtmlWithoutLang[] = "html-without-lang";
inline constexpr char ImgSizesWithoutSrcset[] = "img-sizes-without-srcset";
inline constexpr char ImgWithoutAlt[] = "img-without-alt";
inline constexpr char InputButtonWithoutValue[] = "input-button-without-value";
inline constexpr char InputImageWithoutAlt[] = "input-image-without-alt";
inline constexpr char InputListWrong[] = "input-list-wrong";
inline constexpr char IsmapWithoutLink[] = "ismap-without-link";
inline constexpr char ItempropWithoutItem[] = "itemprop-without-item";
inline constexpr char LabelForWrong[] = "label-for-wrong";
inline constexpr char LabelSecondControl[] = "label-second-control";
inline constexpr char LinkImagesizesWithoutImagesrcset[] = "link-imagesizes-without-imagesrcset";
inline constexpr char LinkInBody[] = "link-in-body";
inline constexpr char LinkWithoutHref[] = "link-without-href";
inline constexpr char LinkWithoutRel[] = "link-without-rel";
inline constexpr char MainInside[] = "main-inside";
inline constexpr char MainSecond[] = "main-second";
inline constexpr char MapIdNotName[] = "map-id-not-name";
inline constexpr char MetaCharsetAndContentType[] = "meta-charset-and-content-type";
inline constexpr char MetaCharsetSecond[] = "meta-charset-second";
inline constexpr char MetaInBody[] = "meta-in-body";
inline constexpr char MetaWithoutContent[] = "meta-without-content";
inline constexpr char MetaWithoutName[] = "meta-without-name";
inline constexpr char OptgroupWithoutLabel[] = "optgroup-without-label";
inline constexpr char OptionEmpty[] = "option-empty";
inline constexpr char ReferenceMissing[] = "reference-missing";
inline constexpr char RubyWithoutRt[] = "ruby-without-rt";
inline constexpr char ScriptAttributeNeedsSrc[] = "script-attribute-needs-src";
inline constexpr char SectionWithoutHeading[] = "section-without-heading";
inline constexpr char SelectFirstOptionNotPlaceholder[] = "select-first-option-not-placeholder";
inline constexpr char StyleInBody[] = "style-in-body";
inline constexpr char TableCellPastRowGroup[] = "table-cell-past-row-group";
inline constexpr char TableCellsOverlap[] = "table-cells-overlap";
inline constexpr char TableColumnEmpty[] = "table-column-empty";
inline constexpr char TableColumnsEmpty[] = "table-columns-empty";
inline constexpr char TableInPQuirks[] = "table-in-p-quirks";
inline constexpr char TableRowEmpty[] = "table-row-empty";
inline constexpr char TableRowNarrower[] = "table-row-narrower";
inline constexpr char TableRowNarrowerThanColumns[] = "table-row-narrower-than-columns";
inline constexpr char TableRowWider[] = "table-row-wider";
inline constexpr char TableRowWiderThanColumns[] = "table-row-wider-than-columns";
inline constexpr char TextNotAllowedIn[] = "text-not-allowed-in";
inline constexpr char TitleEmpty[] = "title-empty";
inline constexpr char UnknownElement[] = "unknown-element";
inline constexpr char UsemapWrong[] = "usemap-wrong";
inline constexpr char XmlLangWithoutLang[] = "xml-lang-without-lang";
inline constexpr char XmlnsWrong[] = "xmlns-wrong";
} // namespace RuleKey

// Every key above, once.
QList<const char *> conformanceRuleKeys();
