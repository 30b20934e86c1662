// The Send command with the real mail library and a fake mail client behind xdg-email.

#include "ExternalTools.h"
#include "FakeHost.h"
#include "FakeMailer.h"
#include "MapiProtocol.h"
#include "TempDir.h"
#include "app/MailCommands.h"
#include "app/App.h"
#include "shell/CommandIds.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

class SendTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GLIMMER_REQUIRE_TOOLS("xdg-email");
        test::writeFile(m_photoPath, "as last saved");
    }

    App& app(const std::filesystem::path& libraryDir = GLIMMER_BUILD_LIBDIR)
    {
        Paths paths;
        paths.settingsDir = m_dir.path();
        paths.libraryDir = libraryDir;
        m_app.emplace(m_host, paths);
        m_app->commands().set(command::Save, [this](std::string_view) {
            ++m_saves;
            return command::ResultSaved;
        });
        return *m_app;
    }

    Document& openPhoto(App& a, const std::string& title)
    {
        a.currentName() = title;
        return *a.newDocument(std::move(Image::create(2, 2, 24)).value());
    }

    // The one file the mail client was asked to attach.
    std::string attached(const test::FakeMailer& mailer)
    {
        const auto calls = mailer.calls();
        if (calls.size() != 1)
            return "<" + std::to_string(calls.size()) + " calls>";
        const std::size_t at = calls[0].find("attach=");
        return at == std::string::npos ? calls[0] : calls[0].substr(at + 7);
    }

    test::TempDir m_dir;
    std::filesystem::path m_photoPath = m_dir / "photo.bmp";
    test::FakeHost m_host;
    std::optional<App> m_app;
    int m_saves = 0;
};

} // namespace

TEST_F(SendTest, SendsThePhotosFile)
{
    test::FakeMailer mailer;
    App& a = app();
    openPhoto(a, m_photoPath.string());
    EXPECT_EQ(a.execute(command::SendMail), command::ResultNone);
    EXPECT_EQ(attached(mailer), m_photoPath.string());
    EXPECT_TRUE(m_host.questions.empty()) << "an unchanged photo is sent as it is";
    EXPECT_TRUE(m_host.messages.empty());
    EXPECT_EQ(a.currentName(), m_photoPath.string());
}

TEST_F(SendTest, AModifiedPhotoIsOfferedForSavingAndSentWhateverTheAnswer)
{
    {
        test::FakeMailer mailer;
        App& a = app();
        Document& photo = openPhoto(a, m_photoPath.string());
        photo.state().modified = true;
        m_host.answers = { Answer::Cancel };
        ASSERT_EQ(sendActivePhoto(a), std::optional<unsigned>(SUCCESS_SUCCESS));
        ASSERT_EQ(m_host.questions.size(), 1u);
        EXPECT_EQ(m_host.questions[0].text, "The File: " + m_photoPath.string() + "\nhas been modified. Save it?");
        EXPECT_EQ(m_saves, 0);
        EXPECT_EQ(attached(mailer), m_photoPath.string()) << "the file as last saved goes out";
    }
    {
        test::FakeMailer mailer;
        App& a = app();
        openPhoto(a, m_photoPath.string()).state().modified = true;
        m_host.answers = { Answer::Yes };
        a.execute(command::SendMail);
        EXPECT_EQ(m_saves, 1);
        EXPECT_EQ(attached(mailer), m_photoPath.string());
    }
}

TEST_F(SendTest, AnUntitledPhotoIsSavedAsAFileFirst)
{
    test::FakeMailer mailer;
    App& a = app();
    openPhoto(a, "Untitled-Acquired-00");
    const auto saved = m_dir / "saved photo.bmp";
    int saveAs = 0;
    a.commands().set(command::SaveAs, [&](std::string_view) {
        ++saveAs;
        test::writeFile(saved, "new file");
        a.activeDocument()->setTitle(saved.string());
        a.currentName() = saved.string();
        return command::ResultSaved;
    });
    ASSERT_EQ(sendActivePhoto(a), std::optional<unsigned>(SUCCESS_SUCCESS));
    EXPECT_EQ(saveAs, 1);
    EXPECT_TRUE(m_host.questions.empty()) << "Save As replaces the save question";
    EXPECT_EQ(attached(mailer), m_dir.path().string() + "/saved%20photo.bmp");

    // Cancelling Save As ends the command before the library is touched.
    openPhoto(a, "Untitled-Acquired-01");
    a.commands().set(command::SaveAs, [](std::string_view) { return command::ResultNone; });
    EXPECT_EQ(sendActivePhoto(a), std::nullopt);
    EXPECT_EQ(mailer.calls().size(), 1u);
    EXPECT_TRUE(m_host.messages.empty());
}

TEST_F(SendTest, AMissingLibraryOrMissingFunctionsShowTheirMessages)
{
    test::FakeMailer mailer;
    test::TempDir noLibraries;
    App& a = app(noLibraries.path());
    openPhoto(a, m_photoPath.string());
    a.execute(command::SendMail);
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_EQ(m_host.messages[0].caption, "Warning");
    EXPECT_EQ(m_host.messages[0].text, "Could not find MAPI.DLL. Please copy it to your Windows system directory.");
    EXPECT_EQ(m_host.messages[0].icon, Icon::Warning);

    App& b = app(INCOMPLETE_MAPI_DIR);
    openPhoto(b, m_photoPath.string());
    EXPECT_EQ(sendActivePhoto(b), std::nullopt);
    ASSERT_EQ(m_host.messages.size(), 2u);
    EXPECT_EQ(m_host.messages[1].text, "Could not load MAPI functions.");
    EXPECT_TRUE(mailer.calls().empty());
}

TEST_F(SendTest, WithoutAMailClientTheFailureIsReturnedButNotShown)
{
    test::NoMailClient none;
    App& a = app();
    openPhoto(a, m_photoPath.string());
    EXPECT_EQ(sendActivePhoto(a), std::optional<unsigned>(MAPI_E_NOT_SUPPORTED));
    EXPECT_TRUE(m_host.messages.empty());

    App& b = app();
    EXPECT_EQ(sendActivePhoto(b), std::nullopt) << "no active photo, nothing to send";
}
