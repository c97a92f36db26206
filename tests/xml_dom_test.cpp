// The XML access layer: the component's defaults (white space, comments, attribute maps), paths,
// attributes, encodings, parse errors and their positions, and untrusted input.
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/characters.h"
#include "platform/gbk_literal.h"
#include "support/survey_round.h"
#include "support/temp_dir.h"
#include "traverse/code_page.h"
#include "traverse/exceptions.h"
#include "traverse/xml_dom.h"
#include "platform/iconv_converter.h"
#include "xml/gb18030_input.h"
#include "xml/xml_attribute_walk.h"

namespace traverse {
namespace {

XmlDocument Loaded(const std::string& bytes) {
    XmlDocument document = XmlDocument::Create();
    EXPECT_TRUE(document.loadXML(bytes)) << GbkToUtf8(document.parseError().reason);
    return document;
}

XmlParseError Failed(const std::string& bytes) {
    XmlDocument document = XmlDocument::Create();
    EXPECT_FALSE(document.loadXML(bytes));
    return document.parseError();
}

std::uint32_t ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const _com_error& error) {
        return error.Error();
    }
    return 0;
}

// Every name and value in the tree below node, for leak checks.
void CollectText(const XmlNode& node, std::string& out) {
    out += node.nodeName() + "|" + node.nodeTypedValue() + "|";
    const XmlNamedNodeMap attributes = node.attributes();
    for (long i = 0; !attributes.IsEmpty() && i < attributes.length(); ++i) {
        out += attributes.item(i).nodeName() + "=" + attributes.item(i).nodeTypedValue() + "|";
    }
    const XmlNodeList children = node.childNodes();
    for (long i = 0; i < children.length(); ++i) CollectText(children.item(i), out);
}

// ---- the component's defaults ----

TEST(XmlDomDefaults, WhitespaceOnlyTextIsNoChildButOtherNodesAre) {
    XmlDocument document = Loaded(
        "<r>\n  \t<a/>\r\n  <!-- note -->\n  <?pi data?>\n  text \n  <![CDATA[ x ]]>\n   \n</r>");
    const XmlNodeList children = document.selectSingleNode("r").childNodes();
    ASSERT_EQ(children.length(), 5);
    EXPECT_EQ(children.item(0).nodeName(), "a");
    EXPECT_EQ(children.item(1).nodeName(), "#comment");
    EXPECT_EQ(children.item(1).nodeTypedValue(), " note ");
    EXPECT_EQ(children.item(2).nodeName(), "pi");
    EXPECT_EQ(children.item(2).nodeTypedValue(), "data");
    EXPECT_EQ(children.item(3).nodeName(), "#text");
    EXPECT_EQ(children.item(3).nodeTypedValue(), "\n  text \n  ");
    EXPECT_EQ(children.item(4).nodeName(), "#cdata-section");
    EXPECT_EQ(children.item(4).nodeTypedValue(), " x ");
    EXPECT_TRUE(children.item(5).IsEmpty());
    EXPECT_TRUE(children.item(-1).IsEmpty());
    EXPECT_EQ(document.selectSingleNode("r/a").childNodes().length(), 0);
}

TEST(XmlDomDefaults, NonElementsHaveAnEmptyAttributeMap) {
    XmlDocument document = Loaded("<r><!--c--><?p d?>t<![CDATA[x]]><a k=\"v\"/></r>");
    const XmlNodeList children = document.selectSingleNode("r").childNodes();
    ASSERT_EQ(children.length(), 5);
    for (long i = 0; i < 4; ++i) {
        const XmlNamedNodeMap map = children.item(i).attributes();
        EXPECT_TRUE(map.IsEmpty()) << i;
        EXPECT_EQ(ErrorOf([&] { map.length(); }), E_POINTER) << i;
        EXPECT_EQ(ErrorOf([&] { map.item(0); }), E_POINTER) << i;
    }
    EXPECT_EQ(children.item(4).attributes().length(), 1);
}

TEST(XmlDomDefaults, AttributeWalkGivesWhatTheAttributeMapGives) {
    const std::string gbk = "<?xml version=\"1.0\" encoding=\"GBK\"?><r><a " + GBK("盘左") +
                            "=\"1.5 &amp; 2\" k=\"" + GBK("测站") + "\" z=\"\"/>t</r>";
    const XmlNodeList children = Loaded(gbk).selectSingleNode("r").childNodes();
    for (long c = 0; c < children.length(); ++c) {
        const XmlNode node = children.item(c);
        std::vector<std::string> walked;
        ForEachAttribute(node, [&](const std::string& name, std::string_view value) {
            walked.push_back(name + "=" + XmlTextToGbk(value));
        });
        std::vector<std::string> mapped;
        const XmlNamedNodeMap map = node.attributes();
        for (long i = 0; !map.IsEmpty() && i < map.length(); ++i) {
            mapped.push_back(map.item(i).nodeName() + "=" + map.item(i).nodeTypedValue());
        }
        EXPECT_EQ(walked, mapped) << c;
    }
    const auto ignore = [](const std::string&, std::string_view) {};
    EXPECT_EQ(ErrorOf([&] { ForEachAttribute(XmlNode(), ignore); }), E_POINTER);
}

TEST(XmlDomDefaults, EmptyHandlesRaiseEPointer) {
    EXPECT_EQ(ErrorOf([] { XmlNode().nodeName(); }), E_POINTER);
    EXPECT_EQ(ErrorOf([] { XmlNode().nodeTypedValue(); }), E_POINTER);
    EXPECT_EQ(ErrorOf([] { XmlNode().childNodes(); }), E_POINTER);
    EXPECT_EQ(ErrorOf([] { XmlNode().attributes(); }), E_POINTER);
    EXPECT_EQ(ErrorOf([] { XmlNode().selectSingleNode("a"); }), E_POINTER);
    EXPECT_EQ(ErrorOf([] { XmlNodeList().length(); }), E_POINTER);
    EXPECT_EQ(ErrorOf([] { XmlNodeList().item(0); }), E_POINTER);
    EXPECT_EQ(ErrorOf([] { XmlDocument().load("x.xml"); }), E_POINTER);
    EXPECT_EQ(ErrorOf([] { XmlDocument().loadXML("<r/>"); }), E_POINTER);
    EXPECT_EQ(ErrorOf([] { XmlDocument().parseError(); }), E_POINTER);
    EXPECT_EQ(ErrorOf([] { XmlDocument().selectSingleNode("r"); }), E_POINTER);
    // A missing node is an empty handle, not an error, until it is used.
    XmlDocument document = Loaded("<r/>");
    const XmlNode missing = document.selectSingleNode("r/nothing");
    EXPECT_TRUE(missing.IsEmpty());
    EXPECT_EQ(ErrorOf([&] { missing.nodeName(); }), E_POINTER);
}

TEST(XmlDomDefaults, HandlesKeepTheirDocumentAlive) {
    XmlNode node;
    XmlNamedNodeMap attributes;
    {
        XmlDocument document = Loaded("<r><a k=\"v\"/></r>");
        node = document.selectSingleNode("r/a");
        attributes = node.attributes();
    }
    EXPECT_EQ(node.nodeName(), "a");
    EXPECT_EQ(attributes.item(0).nodeTypedValue(), "v");

    // A second load into the same document leaves nodes of the first valid.
    XmlDocument document = Loaded("<r><a k=\"first\"/></r>");
    const XmlNode first = document.selectSingleNode("r/a");
    ASSERT_TRUE(document.loadXML("<s><b k=\"second\"/></s>"));
    EXPECT_EQ(first.attributes().item(0).nodeTypedValue(), "first");
    EXPECT_EQ(document.selectSingleNode("s/b").attributes().item(0).nodeTypedValue(), "second");
    EXPECT_TRUE(document.selectSingleNode("r").IsEmpty());
    // A failed load leaves no tree.
    EXPECT_FALSE(document.loadXML("<s>"));
    EXPECT_TRUE(document.selectSingleNode("s").IsEmpty());
    EXPECT_EQ(first.nodeName(), "a");
}

TEST(XmlDomDefaults, ReloadingGivesTheNewNames) {
    XmlDocument document = XmlDocument::Create();
    const char* names[] = {"测站", "东山", "盘左"};
    for (int i = 0; i < 30; ++i) {
        const std::string name = names[i % 3];
        ASSERT_TRUE(document.loadXML("<" + name + " " + name + "=\"1\"/>"));
        const XmlNode root = document.selectSingleNode(Gbk(name));
        ASSERT_FALSE(root.IsEmpty()) << i;
        EXPECT_EQ(root.nodeName(), Gbk(name)) << i;
        EXPECT_EQ(root.attributes().item(0).nodeName(), Gbk(name)) << i;
    }
}

// ---- the tree's shape: text, CDATA, entities and ignorable white space as libxml2's own tree
// building shapes them ----

struct ShapeCase {
    const char* name;
    std::string xml;
    std::string children;  // "name=value" of the root's children, joined by "|"
    std::string content;   // the root's text content
};

void PrintTo(const ShapeCase& c, std::ostream* out) { *out << c.name; }

class XmlDomShape : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(XmlDomShape, ChildrenAndContent) {
    const ShapeCase& c = GetParam();
    const XmlNode root = Loaded(c.xml).selectSingleNode("r");
    std::string children;
    const XmlNodeList list = root.childNodes();
    for (long i = 0; i < list.length(); ++i) {
        children +=
            (i == 0 ? "" : "|") + list.item(i).nodeName() + "=" + list.item(i).nodeTypedValue();
    }
    EXPECT_EQ(children, c.children);
    EXPECT_EQ(root.nodeTypedValue(), c.content);
}

INSTANTIATE_TEST_SUITE_P(
    Table, XmlDomShape,
    ::testing::Values(
        ShapeCase{"AdjacentTextJoinsAndSoDoCData", "<r>a&amp;b&#65;<![CDATA[c]]><![CDATA[d]]>e</r>",
                  "#text=a&bA|#cdata-section=cd|#text=e", "a&bAcde"},
        ShapeCase{"EntityTextJoinsTheTextAroundIt",
                  "<!DOCTYPE r [<!ENTITY t \"x<b/>y\">]><r>1&t;2</r>", "#text=1x|b=|#text=y2",
                  "1xy2"},
        ShapeCase{
            "CDataJoinsOnlyWithinOneEntity",
            "<!DOCTYPE r [<!ENTITY c \"<![CDATA[k]]>\">]><r><![CDATA[j]]>&c;<![CDATA[l]]></r>",
            "#cdata-section=j|#cdata-section=kl", "jkl"},
        ShapeCase{"BlanksBeforeALineEndAfterAnElementAreLeftOut", "<r><a/>  \r\n  text<b/></r>",
                  "a=|#text=\n  text|b=", "\n  text"},
        ShapeCase{"BlanksBeforeAReferenceStay", "<r><a/>  \r\n  <b/>  &#32;<c/></r>",
                  "a=|b=|c=", "   "},
        ShapeCase{"ElementContentDeclaredInTheDtd",
                  "<!DOCTYPE r [<!ELEMENT r (a)*>]><r>  x  <a/></r>", "#text=  x  |a=", "  x  "},
        ShapeCase{"TextFirstKeepsLaterBlanks", "<r>t<a/>  <b/></r>", "#text=t|a=|b=", "t  "},
        ShapeCase{"PreservedSpace", "<r xml:space=\"preserve\"><a/>  <b/></r>", "a=|b=", "  "},
        ShapeCase{"CommentsAndInstructions", "<r><!--c--> <?p d?> </r>", "#comment=c|p=d", ""}),
    [](const ::testing::TestParamInfo<ShapeCase>& info) { return std::string(info.param.name); });

// ---- paths ----

TEST(XmlDomPaths, ChildStepsFromTheDocumentStartAtTheRoot) {
    XmlDocument document = Loaded("<r><a><b n=\"1\"/><b n=\"2\"/></a><b n=\"3\"/></r>");
    EXPECT_EQ(document.selectSingleNode("r").nodeName(), "r");
    EXPECT_EQ(document.selectSingleNode("r/a/b").attributes().item(0).nodeTypedValue(), "1");
    EXPECT_EQ(document.selectSingleNode("r/b").attributes().item(0).nodeTypedValue(), "3");
    EXPECT_TRUE(document.selectSingleNode("a").IsEmpty());  // not the root's name
    EXPECT_TRUE(document.selectSingleNode("r/a/c").IsEmpty());
    EXPECT_TRUE(document.selectSingleNode("r/").IsEmpty());
    EXPECT_TRUE(document.selectSingleNode("").IsEmpty());
    const XmlNode a = document.selectSingleNode("r/a");
    EXPECT_EQ(a.selectSingleNode("b").attributes().item(0).nodeTypedValue(), "1");
    EXPECT_TRUE(a.selectSingleNode("a").IsEmpty());  // relative to the node, not the document
}

TEST(XmlDomPaths, AnyDepthFindsTheFirstMatchInDocumentOrder) {
    XmlDocument document = Loaded(
        "<r><x><y><c n=\"deep-first\"/></y></x><c n=\"shallow-later\"/></r>");
    EXPECT_EQ(document.selectSingleNode("r//c").attributes().item(0).nodeTypedValue(),
              "deep-first");
    // The root itself is not below the root.
    EXPECT_TRUE(Loaded("<c><d/></c>").selectSingleNode("c//c").IsEmpty());
}

TEST(XmlDomPaths, AnyDepthLooksBeyondABranchWithoutAMatch) {
    // The first b has no c below it; the second has.
    XmlDocument document = Loaded(
        "<a><b><x/></b><q><b><z><c n=\"found\"/></z></b></q><c n=\"not-below-b\"/></a>");
    EXPECT_EQ(document.selectSingleNode("a//b//c").attributes().item(0).nodeTypedValue(), "found");
    EXPECT_EQ(document.selectSingleNode("a/q/b//c").attributes().item(0).nodeTypedValue(), "found");
    EXPECT_TRUE(document.selectSingleNode("a/b//c").IsEmpty());
    // A child step after "//": c must be a child of some z below a.
    EXPECT_EQ(document.selectSingleNode("a//z/c").attributes().item(0).nodeTypedValue(), "found");
    EXPECT_TRUE(document.selectSingleNode("a//b/c").IsEmpty());
}

TEST(XmlDomPaths, AnyDepthBacktracksOverNestedNamesakes) {
    // b inside b: "a/b//c" must accept the outer b even though the inner one is nearer.
    XmlDocument document = Loaded("<a><b><b><c n=\"1\"/></b></b></a>");
    EXPECT_EQ(document.selectSingleNode("a/b//c").attributes().item(0).nodeTypedValue(), "1");
    EXPECT_EQ(document.selectSingleNode("a/b/b/c").attributes().item(0).nodeTypedValue(), "1");
    EXPECT_TRUE(document.selectSingleNode("a/b/c").IsEmpty());
}

TEST(XmlDomPaths, GbkNamesMatch) {
    XmlDocument document = Loaded(
        "<导线观测记录><观测值><测站 点名=\"东山\"><水平角/></测站></观测值></导线观测记录>");
    const XmlNode station = document.selectSingleNode(GBK("导线观测记录//测站"));
    ASSERT_FALSE(station.IsEmpty());
    EXPECT_EQ(station.nodeName(), GBK("测站"));
    EXPECT_EQ(station.attributes().item(0).nodeName(), GBK("点名"));
    EXPECT_EQ(station.attributes().item(0).nodeTypedValue(), GBK("东山"));
    EXPECT_FALSE(document.selectSingleNode(GBK("导线观测记录/观测值/测站/水平角")).IsEmpty());
    EXPECT_TRUE(document.selectSingleNode(GBK("导线观测记录/测站")).IsEmpty());
}

TEST(XmlDomPaths, DeepNestingNeitherRecursesNorFails) {
    const int depth = 10000;
    std::string xml;
    for (int i = 0; i < depth; ++i) xml += "<a>";
    xml += "<leaf n=\"bottom\"/>";
    for (int i = 0; i < depth; ++i) xml += "</a>";
    XmlDocument document = Loaded(xml);
    EXPECT_EQ(document.selectSingleNode("a//leaf").attributes().item(0).nodeTypedValue(), "bottom");
    EXPECT_EQ(document.selectSingleNode("a//a//leaf").nodeName(), "leaf");
    // Every level matches "a", none holds the rest of the path: the whole depth is searched.
    EXPECT_TRUE(document.selectSingleNode("a//a//a/missing").IsEmpty());
    EXPECT_TRUE(document.selectSingleNode("a//leaf//a").IsEmpty());
    // A chain of child steps as deep as the file.
    std::string path = "a";
    for (int i = 1; i < 60; ++i) path += "/a";
    EXPECT_EQ(document.selectSingleNode(path).nodeName(), "a");
}

// ---- attributes ----

TEST(XmlDomAttributes, DocumentOrderWithNamesAsWritten) {
    XmlDocument document = Loaded(
        "<r z=\"1\" xmlns:p=\"urn:x\" a=\"2\" p:m=\"3\" b=\"4\"><p:e/><q:f/></r>");
    const XmlNamedNodeMap attributes = document.selectSingleNode("r").attributes();
    ASSERT_EQ(attributes.length(), 5);
    const char* names[] = {"z", "xmlns:p", "a", "p:m", "b"};
    const char* values[] = {"1", "urn:x", "2", "3", "4"};
    for (long i = 0; i < 5; ++i) {
        EXPECT_EQ(attributes.item(i).nodeName(), names[i]);
        EXPECT_EQ(attributes.item(i).nodeTypedValue(), values[i]);
        EXPECT_TRUE(attributes.item(i).attributes().IsEmpty());
    }
    EXPECT_TRUE(attributes.item(5).IsEmpty());
    EXPECT_EQ(document.selectSingleNode("r/p:e").nodeName(), "p:e");
    EXPECT_EQ(document.selectSingleNode("r//q:f").nodeName(), "q:f");
}

TEST(XmlDomAttributes, ValuesAreNormalisedWithEntitiesExpanded) {
    XmlDocument document = Loaded(
        "<!DOCTYPE r [<!ENTITY site \"东山 &amp; 西岭\">]>\n"
        "<r a=\"x\ty\nz\r\nw\" b=\"&lt;&amp;&gt;&quot;&apos;&#x41;&#66;\" c=\"&site;\" d=\"\" "
        "e=\" lead  trail \">&site;</r>");
    const XmlNamedNodeMap attributes = document.selectSingleNode("r").attributes();
    EXPECT_EQ(attributes.item(0).nodeTypedValue(), "x y z w");
    EXPECT_EQ(attributes.item(1).nodeTypedValue(), "<&>\"'AB");
    EXPECT_EQ(attributes.item(2).nodeTypedValue(), GBK("东山 & 西岭"));
    EXPECT_EQ(attributes.item(3).nodeTypedValue(), "");
    EXPECT_EQ(attributes.item(4).nodeTypedValue(), " lead  trail ");
    EXPECT_EQ(document.selectSingleNode("r").nodeTypedValue(), GBK("东山 & 西岭"));
}

// ---- encodings ----

TEST(XmlDomEncodings, GbkFamilyFilesDecodeAsGb18030) {
    // 镕 is GBK but not GB2312: a "GB2312" record file may hold it all the same.
    for (const char* declared : {"GBK", "gb2312", "GB18030"}) {
        const std::string xml = std::string("<?xml version=\"1.0\" encoding=\"") + declared +
                                "\"?>\n<记录><测站 点名=\"镕山\"/></记录>";
        XmlDocument document = Loaded(Gbk(xml));
        const XmlNode station = document.selectSingleNode(GBK("记录/测站"));
        ASSERT_FALSE(station.IsEmpty()) << declared;
        EXPECT_EQ(station.attributes().item(0).nodeTypedValue(), GBK("镕山")) << declared;
    }
}

TEST(XmlDomEncodings, Utf8FilesDeclaredUndeclaredOrWithAMark) {
    const std::string body = "<记录><测站 点名=\"东山\"/></记录>";
    for (const std::string& xml :
         {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + body, body, "\xEF\xBB\xBF" + body,
          "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>" + body}) {
        XmlDocument document = Loaded(xml);
        EXPECT_EQ(document.selectSingleNode(GBK("记录/测站")).attributes().item(0).nodeTypedValue(),
                  GBK("东山"));
    }
}

TEST(XmlDomEncodings, TextGbkCannotHoldFailsToConvert) {
    XmlDocument document = Loaded("<r v=\"\xF0\x9F\x98\x80\"><\xE1\xB8\x81/></r>");
    EXPECT_EQ(
        ErrorOf([&] { document.selectSingleNode("r").attributes().item(0).nodeTypedValue(); }),
        E_NO_UNICODE_TRANSLATION);
    EXPECT_EQ(ErrorOf([&] { document.selectSingleNode("r").childNodes().item(0).nodeName(); }),
              E_NO_UNICODE_TRANSLATION);
}

TEST(XmlDomEncodings, UndecodableGbkPairBecomesOneReplacementCharacter) {
    // A lead byte and a trail byte from 0x40-0x7E or 0x80-0xFE are one character, known or not.
    EXPECT_EQ(GbkToUtf8("\xA1\x40x"), "\xEF\xBF\xBDx");
    EXPECT_EQ(GbkToUtf8("\xA1\x7Ex"), "\xEF\xBF\xBDx");
    EXPECT_EQ(GbkToUtf8("\xFF\x40x"), "\xEF\xBF\xBD@x");  // 0xFF leads nothing
    EXPECT_EQ(GbkToUtf8("\xB6\xAB\xA1\x7F"), "东\xEF\xBF\xBD\x7F");  // 0x7F trails nothing
}

TEST(XmlDomEncodings, LoadReadsFilesAtGbkPaths) {
    TempDir dir;
    dir.Write("测站.xml", Gbk("<?xml version=\"1.0\" encoding=\"GBK\"?><记录 a=\"1\"/>"));
    XmlDocument document = XmlDocument::Create();
    ASSERT_TRUE(document.load(Gbk(dir.Path() + "/测站.xml")));
    EXPECT_EQ(document.selectSingleNode(GBK("记录")).attributes().item(0).nodeTypedValue(), "1");
}

// ---- parse errors ----

struct ErrorCase {
    const char* name;
    std::string bytes;
    std::uint32_t code;
    long line;
    long column;
};

// Keeps ctest's listing readable: the case's name, not its bytes.
void PrintTo(const ErrorCase& c, std::ostream* out) { *out << c.name; }

class XmlDomParseErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(XmlDomParseErrors, CodeAndPosition) {
    const ErrorCase& c = GetParam();
    const XmlParseError error = Failed(c.bytes);
    EXPECT_EQ(error.errorCode, c.code) << std::hex << error.errorCode << " " << error.reason;
    EXPECT_EQ(error.line, c.line);
    EXPECT_EQ(error.linepos, c.column);
    EXPECT_FALSE(error.reason.empty());
}

const std::string kGbkDecl = "<?xml version=\"1.0\" encoding=\"GBK\"?>\n";

INSTANTIATE_TEST_SUITE_P(
    Table, XmlDomParseErrors,
    ::testing::Values(
        ErrorCase{"RootNameStartsWithDigit", "<1a/>", 0xC00CE504, 1, 2},
        ErrorCase{"AttributeNameStartsWithDigit", "<a 1b=\"x\"/>", 0xC00CE504, 1, 4},
        ErrorCase{"EndTagNameStartsWithDigit", "<r></1a></r>", 0xC00CE504, 1, 6},
        ErrorCase{"EntityNameStartsWithDigit", "<r>&1x;</r>", 0xC00CE504, 1, 5},
        ErrorCase{"NameStartsWithPunctuation", "<r>\n<-a/></r>", 0xC00CE504, 2, 2},
        ErrorCase{"LessThanThenBlank", "<r>< a/></r>", 0xC00CE513, 1, 5},
        ErrorCase{"EndTagOpenThenBlank", "<r></ r></r>", 0xC00CE513, 1, 6},
        ErrorCase{"AmpersandThenBlank", "<r>& x;</r>", 0xC00CE513, 1, 5},
        ErrorCase{"BadCharacterInName", "<a$b/>", 0xC00CE505, 1, 3},
        ErrorCase{"AttributeWithoutEquals", "<a b/>", 0xC00CE501, 1, 5},
        ErrorCase{"AttributeWithoutQuote", "<a b=1/>", 0xC00CE502, 1, 6},
        ErrorCase{"LessThanInValue", "<a b=\"<\"/>", 0xC00CE506, 1, 7},
        ErrorCase{"NoBlankBetweenAttributes", "<a b=\"1\"c=\"2\"/>", 0xC00CE509, 1, 9},
        ErrorCase{"GreaterThanExpected", "<r></r x>", 0xC00CE50A, 1, 8},
        ErrorCase{"DoubleHyphenInComment", "<r><!-- a -- b --></r>", 0xC00CE503, 1, 11},
        ErrorCase{"BadXmlDeclaration", "<?xml version=1.0?><r/>", 0xC00CE507, 1, 15},
        ErrorCase{"ControlCharacterInText", "<r>\x01</r>", 0xC00CE508, 1, 4},
        ErrorCase{"GbkBytesInUndeclaredFile", "<r>\n\xB2\xE2\xD5\xBE</r>", 0xC00CE508, 2, 1},
        ErrorCase{"SemicolonExpected", "<r>&amp</r>", 0xC00CE50D, 1, 8},
        ErrorCase{"FileEndsInsideUtf8Character", "<r>\xE6\xB5", 0xC00CE514, 1, 4},
        ErrorCase{"FileEndsInsideGbkCharacter", kGbkDecl + "<r>\xB2", 0xC00CE514, 2, 4},
        ErrorCase{"EndTagWithNothingOpen", "<r/>\n</r>", 0xC00CE552, 2, 3},
        ErrorCase{"ElementsLeftOpen", "<r>\n<a>\n", 0xC00CE553, 3, 1},
        ErrorCase{"DuplicateAttribute", "<r a=\"1\" b=\"2\" a=\"3\"/>", 0xC00CE554, 1, 16},
        ErrorCase{"SecondTopLevelElement", "<r/>\n<s/>", 0xC00CE555, 2, 2},
        ErrorCase{"TextAtTopLevel", "<r/>\nabc", 0xC00CE556, 2, 1},
        ErrorCase{"XmlDeclarationNotAtStart", "<r/>\n<?xml version=\"1.0\"?>", 0xC00CE557, 2, 1},
        ErrorCase{"OnlyACommentAndBlanks", "<!-- c -->\n  \n", 0xC00CE558, 0, 0},
        ErrorCase{"EndOfFileInStartTag", "<r><a", 0xC00CE559, 1, 6},
        ErrorCase{"UnclosedString", "<r>\n<a b=\"x", 0xC00CE560, 2, 6},
        ErrorCase{"UnclosedComment", "<r>\n <!-- x", 0xC00CE561, 2, 2},
        ErrorCase{"UnclosedCdata", "<r><![CDATA[x", 0xC00CE564, 1, 4},
        ErrorCase{"UnclosedProcessingInstruction", "<r><?pi x", 0xC00CE55D, 1, 4},
        ErrorCase{"EndTagMismatch", "<r><a></b></r>", 0xC00CE56D, 1, 9},
        ErrorCase{"UnsupportedEncoding", "<?xml version=\"1.0\" encoding=\"no-such\"?><r/>",
                  0xC00CE56E, 1, 31},
        ErrorCase{"WideEncodingDeclaredInNarrowFile",
                  "<?xml version=\"1.0\" encoding=\"UTF-16\"?><r/>", 0xC00CE56E, 1, 31},
        // Line ends: CR, LF and CR LF each end one line; a tab is one column.
        ErrorCase{"AfterCarriageReturns", "<r>\r\r<1/></r>", 0xC00CE504, 3, 2},
        ErrorCase{"AfterCrLf", "<r>\r\n\r\n\t<a\t1/></r>", 0xC00CE504, 3, 5},
        // Chinese text before the fault counts one column a character, in either encoding; a
        // byte-order mark is no character.
        ErrorCase{"ChineseBeforeFaultGbk",
                  kGbkDecl + "<r>\n" + Utf8ToGbk("\t测站 东山 <1a/>") + "</r>", 0xC00CE504, 3, 9},
        ErrorCase{"ChineseBeforeFaultUtf8", "<r>\n\t测站 东山 <a 1b=\"x\"/></r>", 0xC00CE504, 2, 11},
        ErrorCase{"ChineseAttributeBeforeFaultGbk",
                  kGbkDecl + Utf8ToGbk("<记录 点名=\"东山\" 2号=\"1\"/>"), 0xC00CE504, 2, 13},
        ErrorCase{"ByteOrderMarkIsNoCharacter", "\xEF\xBB\xBF<r><1/></r>", 0xC00CE504, 1, 5},
        ErrorCase{"NonGbkCharacterBeforeFault", "<r>\n\xF0\x9F\x98\x80<1/></r>", 0xC00CE504, 2, 3}),
    [](const ::testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

TEST(XmlDomParseError, SourceTextIsTheWholeLineInGbk) {
    const XmlParseError gbk =
        Failed(kGbkDecl + "<r>\r\n" + Gbk("  测站 <1a/> 尾") + "\r\n</r>");
    EXPECT_EQ(gbk.srcText, Gbk("  测站 <1a/> 尾"));
    EXPECT_EQ(gbk.reason, "A name was started with an invalid character.");
    const XmlParseError utf8 = Failed("<r>\n  测站 <1a/> 尾\n</r>");
    EXPECT_EQ(utf8.srcText, Gbk("  测站 <1a/> 尾"));
    // Characters GBK cannot hold show as '?'.
    EXPECT_EQ(Failed("<r>\xF0\x9F\x98\x80<1/></r>").srcText, "<r>?<1/></r>");
}

TEST(XmlDomParseError, ReasonsNameTheTags) {
    EXPECT_EQ(Failed("<r><a></b></r>").reason, "End tag 'b' does not match the start tag 'a'.");
    EXPECT_EQ(Failed("<记录>\n<测站>").reason,
              Gbk("The following tags were not closed: 记录, 测站."));
}

TEST(XmlDomParseError, MissingAndEmptyFilesHaveNoLine) {
    TempDir dir;
    XmlDocument document = XmlDocument::Create();
    EXPECT_FALSE(document.load(dir.Path() + "/missing.xml"));
    XmlParseError error = document.parseError();
    EXPECT_EQ(error.errorCode, 0x800C0006u);
    EXPECT_EQ(error.line, 0);
    EXPECT_EQ(error.linepos, 0);
    EXPECT_EQ(error.srcText, "");
    EXPECT_FALSE(document.load(dir.Path()));  // a directory is no record file
    EXPECT_EQ(document.parseError().errorCode, 0x800C0006u);

    EXPECT_FALSE(document.load(dir.Write("empty.xml", "")));
    error = document.parseError();
    EXPECT_EQ(error.errorCode, 0xC00CE558u);
    EXPECT_EQ(error.line, 0);
    EXPECT_EQ(error.linepos, 0);
    EXPECT_EQ(error.srcText, "");

    ASSERT_TRUE(document.load(dir.Write("good.xml", "<r/>")));
    EXPECT_EQ(document.parseError().errorCode, 0u);
}

TEST(XmlDomParseError, FileAndBytesReportAlike) {
    TempDir dir;
    const std::string xml = kGbkDecl + Gbk("<记录>\n  <测站 1号=\"x\"/>\n</记录>");
    XmlDocument document = XmlDocument::Create();
    EXPECT_FALSE(document.load(dir.Write("bad.xml", xml)));
    const XmlParseError fromFile = document.parseError();
    const XmlParseError fromBytes = Failed(xml);
    EXPECT_EQ(fromFile.errorCode, 0xC00CE504u);
    EXPECT_EQ(fromFile.errorCode, fromBytes.errorCode);
    EXPECT_EQ(fromFile.line, 3);
    EXPECT_EQ(fromFile.linepos, 7);
    EXPECT_EQ(fromFile.line, fromBytes.line);
    EXPECT_EQ(fromFile.linepos, fromBytes.linepos);
    EXPECT_EQ(fromFile.srcText, fromBytes.srcText);
}

TEST(XmlDomParseError, FaultFarIntoALargeFile) {
    // Positions survive the parser discarding consumed input.
    std::string xml = kGbkDecl + "<r>\n";
    for (int i = 0; i < 20000; ++i) xml += Gbk("<测站 点名=\"东山\"/>\n");
    xml += Gbk("测站<1/></r>");
    const XmlParseError error = Failed(xml);
    EXPECT_EQ(error.errorCode, 0xC00CE504u);
    EXPECT_EQ(error.line, 20003);
    EXPECT_EQ(error.linepos, 4);
}

// ---- untrusted input ----

TEST(XmlDomUntrusted, ExternalEntitiesNeverBringInAFile) {
    TempDir dir;
    const std::string secret = dir.Write("secret.txt", "SECRET-CONTENT-7351");
    const std::string dtd = dir.Write("ext.dtd", "<!ATTLIST r leak CDATA \"SECRET-CONTENT-7351\">");
    const std::string cases[] = {
        "<!DOCTYPE r [<!ENTITY x SYSTEM \"" + secret + "\">]><r>&x;</r>",
        "<!DOCTYPE r [<!ENTITY x SYSTEM \"file://" + secret + "\">]><r a=\"&x;\"/>",
        "<!DOCTYPE r [<!ENTITY % p SYSTEM \"" + dtd + "\"> %p;]><r/>",
        "<!DOCTYPE r SYSTEM \"" + dtd + "\"><r/>",
        "<!DOCTYPE r [<!ENTITY x SYSTEM \"/etc/hostname\">]><r>&x;</r>",
    };
    for (const std::string& xml : cases) {
        XmlDocument document = XmlDocument::Create();
        if (!document.loadXML(xml)) continue;  // refusing the file is fine
        std::string text;
        CollectText(document.selectSingleNode("r"), text);
        EXPECT_EQ(text.find("SECRET"), std::string::npos) << xml;
        std::string hostname;
        std::getline(std::ifstream("/etc/hostname"), hostname);
        if (!hostname.empty() && xml.find("/etc/hostname") != std::string::npos) {
            EXPECT_EQ(text.find(hostname), std::string::npos) << xml;
        }
    }
}

TEST(XmlDomUntrusted, EntityExpansionBombsFail) {
    std::string laughs = "<!DOCTYPE r [<!ENTITY l0 \"lol\">";
    for (int i = 1; i <= 10; ++i) {
        laughs += "<!ENTITY l" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; ++j) laughs += "&l" + std::to_string(i - 1) + ";";
        laughs += "\">";
    }
    laughs += "]><r a=\"&l10;\">&l10;</r>";
    EXPECT_NE(Failed(laughs).errorCode, 0u);

    // Few levels, many references to one large entity: 20,000 x 100 kB if nothing stopped it.
    std::string quadratic = "<!DOCTYPE r [<!ENTITY a \"" + std::string(100000, 'x') + "\">]><r>";
    for (int i = 0; i < 20000; ++i) quadratic += "<e v=\"&a;\"/>";
    quadratic += "</r>";
    const XmlParseError error = Failed(quadratic);
    EXPECT_NE(error.errorCode, 0u);
    EXPECT_EQ(error.line, 1);
}

TEST(XmlDomUntrusted, LimitsOfTheLibraryGiveTheirTrueReason) {
    // A value far beyond libxml2's default limits parses.
    const std::string value(50u << 20, 'v');
    XmlDocument document = Loaded("<r a=\"" + value + "\"/>");
    EXPECT_EQ(document.selectSingleNode("r").attributes().item(0).nodeTypedValue().size(),
              value.size());

    // Nesting and names beyond the library's limits say so, at the tag.
    std::string deep = "<r>\n";
    for (int i = 0; i < (1 << 20); ++i) deep += "<a>";
    XmlParseError error = Failed(deep);
    EXPECT_EQ(error.reason, "Elements are nested more than 1048576 levels deep.");
    EXPECT_EQ(error.errorCode, 0x80004005u);
    EXPECT_EQ(error.line, 2);
    EXPECT_EQ(error.linepos, 3u * (1 << 20) - 1);
    error = Failed("<r>\n <a " + std::string(50001, 'n') + "=\"1\"/></r>");
    EXPECT_EQ(error.reason, "A name is longer than 50000 characters.");
    EXPECT_EQ(error.line, 2);
    EXPECT_EQ(error.linepos, 3);
    EXPECT_TRUE(Loaded("<r><" + std::string(50000, 'n') + "/></r>")
                    .selectSingleNode("r")
                    .childNodes()
                    .length() == 1);

    // References nested beyond the limit, and a reference to itself.
    std::string chain = "<!DOCTYPE r [<!ENTITY e0 \"x\">";
    for (int i = 1; i <= 60; ++i)
        chain += "<!ENTITY e" + std::to_string(i) + " \"&e" + std::to_string(i - 1) + ";\">";
    for (const char* body : {"<r>&e60;</r>", "<r a=\"&e60;\"/>"}) {
        EXPECT_EQ(Failed(chain + "]>" + body).reason,
                  "Entity references are nested more than 40 levels deep.");
    }
    EXPECT_EQ(Failed("<!DOCTYPE r [<!ENTITY s \"&s;\">]><r>&s;</r>").reason,
              "Entity references are nested more than 40 levels deep.");
}

TEST(XmlDomUntrusted, FaultInsideEntityTextIsNoNameToMend) {
    const XmlParseError error = Failed("<!DOCTYPE r [<!ENTITY x \"<1a/>\">]><r>&x;</r>");
    EXPECT_NE(error.errorCode, 0u);
    EXPECT_NE(error.errorCode, 0xC00CE504u);
}

// Random GBK/GB18030 bytes, mostly sound: ASCII, two- and four-byte characters, stray high bytes
// and two-byte pairs with any trail, cut anywhere.
std::string RandomGb18030(std::mt19937& random) {
    const auto byte = [&](int low, int high) {
        return static_cast<char>(std::uniform_int_distribution<int>(low, high)(random));
    };
    std::string bytes;
    const int pieces = std::uniform_int_distribution<int>(0, 40)(random);
    for (int i = 0; i < pieces; ++i) {
        switch (std::uniform_int_distribution<int>(0, 19)(random)) {
        case 0: bytes += byte(0x80, 0xFF); break;
        case 1: bytes += {byte(0x81, 0xFE), byte(0x00, 0xFF)}; break;
        case 2:
            bytes += {byte(0x81, 0xE3), byte(0x30, 0x39), byte(0x81, 0xFE), byte(0x30, 0x39)};
            break;
        case 3: case 4: case 5: bytes += byte(0x20, 0x7E); break;
        default: bytes += {byte(0x81, 0xFE), byte(0x40, 0xFE)}; break;
        }
    }
    return bytes.substr(0, std::uniform_int_distribution<std::size_t>(0, bytes.size())(random));
}

// The table decoder libxml2 reads GB18030 files through gives what iconv alone gives it: the same
// bytes, bytes read and result, whatever the room for its output.
TEST(XmlDomEncoding, Gb18030TableDecodesAsIconvDoes) {
    std::mt19937 random(2026);
    IconvConverter reference("UTF-8", "GB18030");
    const xmlCharEncodingInputFunc decode = Gb18030InputHandler()->input;
    for (int trial = 0; trial < 20000; ++trial) {
        const std::string bytes = RandomGb18030(random);
        std::uniform_int_distribution<std::size_t> rooms(0, 3 * bytes.size() + 4);
        const std::size_t room = rooms(random);
        std::string expected(room, '\0');
        const char* in = bytes.data();
        std::size_t inLeft = bytes.size();
        char* out = &expected[0];
        std::size_t outLeft = room;
        const bool whole = reference.Step(&in, &inLeft, &out, &outLeft);
        const int result = whole ? 0 : errno == EILSEQ ? -2 : errno == E2BIG ? -1 : -3;
        expected.resize(room - outLeft);

        std::string got(room + 1, '\0');  // never empty: a null buffer means no buffer
        int inLength = static_cast<int>(bytes.size());
        int outLength = static_cast<int>(room);
        const auto* from = reinterpret_cast<const unsigned char*>(bytes.data());
        auto* to = reinterpret_cast<unsigned char*>(&got[0]);
        ASSERT_EQ(decode(to, &outLength, from, &inLength), result);
        ASSERT_EQ(static_cast<std::size_t>(inLength), bytes.size() - inLeft);
        ASSERT_EQ(got.substr(0, static_cast<std::size_t>(outLength)), expected);
    }
}

// GbkToUtf8 through the table gives what iconv alone gives: a replacement character for each
// sequence that GBK does not hold, and what follows it as it was.
TEST(XmlDomEncoding, GbkToUtf8FromTheTableAsIconvGivesIt) {
    std::mt19937 random(36);
    IconvConverter reference("UTF-8", "GBK");
    const auto replace = [](std::string_view input, std::size_t at, bool, std::string& output) {
        output += "\xEF\xBF\xBD";
        return chars::GbkLength(input, at);
    };
    for (int trial = 0; trial < 20000; ++trial) {
        const std::string bytes = RandomGb18030(random);
        std::string expected = bytes;
        if (!chars::IsAscii(bytes)) reference.Convert(bytes, expected, replace);
        ASSERT_EQ(GbkToUtf8(bytes), expected);
    }
}

}  // namespace
}  // namespace traverse

namespace traverse {
namespace {

// Text of UTF-8 characters from every range a name may hold, with now and then bytes that are
// no UTF-8 (a cut sequence, an overlong form, a surrogate).
std::string RandomUtf8(std::mt19937& random) {
    static const char* const kPieces[] = {"a", " ", "导", "线", "點", "é", "°", "€", "—", "ａ",
                                          "가", "😀", "\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80",
                                          "\xE5\xAF", "\x80", "\xC2\xA0", "\xEF\xBF\xBD", "µ"};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<int> odd(0, 9);
    std::string text;
    for (int n = std::uniform_int_distribution<int>(0, 8)(random); n > 0; --n) {
        std::size_t piece = pick(random);
        // Most names hold only what GBK does: the rest, rarely.
        while (piece >= 10 && odd(random) != 0) piece = pick(random);
        text += kPieces[piece];
    }
    return text;
}

// Utf8ToGbk through the table gives what iconv alone gives, and fails where it fails.
TEST(XmlDomEncoding, Utf8ToGbkFromTheTableAsIconvGivesIt) {
    std::mt19937 random(61);
    IconvConverter reference("GBK", "UTF-8");
    const auto stop = [](std::string_view, std::size_t, bool, std::string&) {
        return std::size_t{0};
    };
    for (int trial = 0; trial < 20000; ++trial) {
        const std::string text = RandomUtf8(random);
        std::string expected = text;
        const bool converts = chars::IsAscii(text) || reference.Convert(text, expected, stop);
        if (converts) {
            ASSERT_EQ(Utf8ToGbk(text), expected) << text;
        } else {
            ASSERT_THROW(Utf8ToGbk(text), _com_error) << text;
        }
    }
}

}  // namespace
}  // namespace traverse
