#include "image/DocumentList.h"

#include "FakeHost.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

struct Documents : ::testing::Test {
    test::FakeHost host;
    Allocator allocator{host};
    DocumentList documents{allocator};

    Document* open(int w, int h, std::string title = "c:\\a.bmp")
    {
        return documents.create(std::move(Image::create(w, h, 24)).value(), std::move(title));
    }
};

} // namespace

TEST_F(Documents, InitialZoomKeepsTheWindowNear320Pixels)
{
    EXPECT_EQ(open(321, 100)->state().zoom, -1);
    EXPECT_EQ(open(320, 320)->state().zoom, 0);
    Document* big = open(2000, 3000);
    EXPECT_EQ(big->state().zoom, -9);
    EXPECT_EQ(zoomedLength(2000, -9), 200);
    EXPECT_EQ(zoomedLength(3000, -9), 300);
    EXPECT_EQ(zoomedLength(10, 2), 30);
    EXPECT_EQ(documents.active(), big);
    EXPECT_EQ(documents.count(), 3u);
    EXPECT_EQ(host.waitCursorDepth, 0);
}

TEST_F(Documents, UntitledCounterWrapsAfter99)
{
    std::vector<std::string> names;
    for (int i = 0; i < 101; ++i)
        names.push_back(documents.makeUntitledName(StringId::UntitledTrueColor));
    EXPECT_EQ(names[0], "Untitled-TrueColor-00");
    EXPECT_EQ(names[9], "Untitled-TrueColor-09");
    EXPECT_EQ(names[10], "Untitled-TrueColor-10");
    EXPECT_EQ(names[99], "Untitled-TrueColor-99");
    EXPECT_EQ(names[100], "Untitled-TrueColor-00");
    EXPECT_EQ(documents.makeUntitledName(StringId::UntitledResampled), "Untitled-Resampled-01");
    EXPECT_TRUE(DocumentList::isUntitled("Untitled-Resampled-01"));
    EXPECT_FALSE(DocumentList::isUntitled("c:\\Untitled-1.bmp"));
}

TEST_F(Documents, IndexedImagesBecome24BitDocuments)
{
    auto four = Image::create(2, 1, 4);
    four->setColor(3, Rgbq{9, 8, 7, 0});
    four->row(0)[0] = 0x33;
    Document* doc = documents.create(std::move(four).value(), "c:\\x.bmp");
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->image().bitsPerPixel(), 24);
    EXPECT_EQ(doc->state().bitsOffset, 40);
    EXPECT_EQ(doc->image().row(0)[3], 9);
    EXPECT_EQ(documents.create(Image(), "x"), nullptr);
}

TEST_F(Documents, ConfirmClosingAnUntitledDocumentAsksOnce)
{
    Document* doc = open(4, 4, "Untitled-Duplicated-03");
    host.answers = {Answer::Yes};
    int saves = 0;
    // Yes and then a cancelled save: the second query answers 0, so the caller proceeds.
    EXPECT_TRUE(documents.confirmClosing(*doc, host, [&] { ++saves; }));
    EXPECT_EQ(saves, 1);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].caption, "Glimmerpress");
    EXPECT_EQ(host.questions[0].text, "The File: Untitled-Duplicated-03\nis newly created. Save it?");
    EXPECT_EQ(host.questions[0].buttons, Buttons::YesNoCancel);
    // Until a document closes, the untitled document no longer asks.
    EXPECT_TRUE(documents.confirmClosing(*doc, host, {}));
    EXPECT_EQ(host.questions.size(), 1u);
    Document* other = open(1, 1, "c:\\b.bmp");
    documents.close(*other);
    host.answers = {Answer::Cancel};
    EXPECT_FALSE(documents.confirmClosing(*doc, host, {}));
}

TEST_F(Documents, ConfirmClosingAModifiedFile)
{
    Document* doc = open(4, 4, "c:\\p.bmp");
    EXPECT_TRUE(documents.confirmClosing(*doc, host, {}));
    EXPECT_TRUE(host.questions.empty()) << "an unmodified file closes without a question";
    doc->state().modified = true;
    host.answers = {Answer::No};
    EXPECT_TRUE(documents.confirmClosing(*doc, host, {}));
    EXPECT_EQ(host.questions.back().text, "The File: c:\\p.bmp\nhas been modified. Save it?");
    host.answers = {Answer::Yes};
    EXPECT_FALSE(documents.confirmClosing(*doc, host, [] {})) << "the save failed, so the document is still modified";
    host.answers = {Answer::Yes};
    EXPECT_TRUE(documents.confirmClosing(*doc, host, [&] { doc->state().modified = false; }));
}

TEST_F(Documents, StatusTextsAndClosing)
{
    EXPECT_EQ(documents.zoomStatus(), "");
    Document* doc = open(2000, 1000);
    EXPECT_EQ(documents.zoomStatus(), "View 1:7");
    doc->state().zoom = 2;
    EXPECT_EQ(documents.zoomStatus(), "View 3:1");
    EXPECT_EQ(documents.typeStatus(), "  5860K, 24-bit RGB Color");
    int closing = 0;
    documents.onClosing = [&](Document&) { ++closing; };
    documents.closeAll();
    EXPECT_EQ(closing, 1);
    EXPECT_EQ(documents.active(), nullptr);
    EXPECT_EQ(documents.typeStatus(), "");
}
