#include "platform/base/exBase.h"
#include "platform/base/inInit.h"
#include "platform/base/inPackageManager.h"
#include "platform/base/xmlDocument.h"
#include "platform/base/xmlWriter.h"

#include <gtest/gtest.h>

using namespace Zv;

TEST(Xml, ParseErrorNamesSourceAndLine) {
    try {
        XmlDocument::parse("<a>\n<b>\n</a>\n", "desc.xml");
        FAIL() << "no exception";
    } catch (const ExBadInput& ex) {
        EXPECT_EQ(ex.getMessage().rfind("desc.xml:3: ", 0), 0u) << ex.getMessage();
        EXPECT_EQ(ex.getLine(), 3);
    }
    EXPECT_THROW(XmlDocument::parse("", "empty.xml"), ExBadInput);
}

TEST(Xml, WriterOutputParsesBackWithEscapes) {
    XmlWriter writer;
    writer.startElement("composition").attribute("name", "a<b & \"c\"").attribute("version", 1);
    writer.startElement("node").attribute("x", 1.5).endElement();
    writer.endElement();
    XmlDocument document = XmlDocument::parse(writer.str(), "written");
    EXPECT_STREQ(document.getRoot().attribute("name").value(), "a<b & \"c\"");
    EXPECT_EQ(document.getRoot().attribute("version").as_int(), 1);
    EXPECT_FLOAT_EQ(document.getRoot().child("node").attribute("x").as_float(), 1.5f);

    // Tabs and line breaks survive, where a reader would turn them into blanks if written as they are.
    XmlWriter controls;
    controls.startElement("a").attribute("name", "tab\tline\nend\r\x01").endElement();
    EXPECT_STREQ(XmlDocument::parse(controls.str(), "controls").getRoot().attribute("name").value(),
                 "tab\tline\nend\r\x01");

    // Element text is escaped the same way and closes its element on its own line.
    XmlWriter texts;
    texts.startElement("settings").startElement("a").text("x<y & z\tw").endElement().startElement("b").endElement();
    texts.endElement();
    pugi::xml_node root = XmlDocument::parse(texts.str(), "texts").getRoot();
    EXPECT_STREQ(root.child("a").text().get(), "x<y & z\tw");
    EXPECT_TRUE(root.child("b"));
}

TEST(Xml, DeepNestingWritesLinearText) {
    const int depth = 10'000;
    XmlWriter writer;
    for (int i = 0; i < depth; ++i) writer.startElement("g");
    for (int i = 0; i < depth; ++i) writer.endElement();
    const std::string text = writer.str();
    // Two lines per element, each indented by at most the cap.
    EXPECT_LT(text.size(), 2 * depth * (2 * XmlWriter::kMaxIndentLevels + 8));
    pugi::xml_node node = XmlDocument::parse(text, "deep").getRoot();
    int levels = 0;
    for (; node; node = node.first_child()) ++levels;
    EXPECT_EQ(levels, depth);
}

namespace {

struct TagBase {};
struct TagUi {};
struct TagView {};
struct TagMissing {};

std::vector<std::string> events;

template <class Tag>
struct TestPackage : InInit<Tag> {
    explicit TestPackage(const char* name) : InInit<Tag>(name) { InPackageInit::registerPackage(this); }
    void startUp() override { events.push_back("start " + this->getName().str()); }
    void shutDown() override { events.push_back("stop " + this->getName().str()); }
};

} // namespace

TEST(Packages, StartInDependencyOrderStopInReverse) {
    events.clear();
    TestPackage<TagView> view("view"); // registered first, but needs the others
    TestPackage<TagUi> ui("ui");
    TestPackage<TagBase> base("base");
    view.addDependency(InInit<TagUi>::getType());
    view.addDependency(InInit<TagBase>::getType());
    ui.addDependency(InInit<TagBase>::getType());

    InPackageManager::startAll();
    InPackageManager::shutDownAll();
    EXPECT_EQ(events,
              (std::vector<std::string>{"start base", "start ui", "start view", "stop view", "stop ui", "stop base"}));

    view.addDependency(InInit<TagMissing>::getType());
    EXPECT_THROW(InPackageManager::startAll(), ExBadInput);
    view.removeDependency(InInit<TagMissing>::getType());
    base.addDependency(InInit<TagView>::getType());
    EXPECT_THROW(InPackageManager::getStartOrder(), ExBadInput) << "a dependency cycle must be refused";
}
