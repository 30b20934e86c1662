// The mail library through its four functions, with a fake mail client behind xdg-email.

#include "ExternalTools.h"
#include "FakeMailer.h"
#include "MapiProtocol.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

class MapiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GLIMMER_REQUIRE_TOOLS("xdg-email");
        test::writeFile(m_photo, "photo bytes");
        test::writeFile(m_second, "more bytes");
    }

    test::TempDir m_dir;
    std::filesystem::path m_photo = m_dir / "beach photo.jpg";
    std::filesystem::path m_second = m_dir / "second.bmp";
};

} // namespace

TEST_F(MapiTest, SendDocumentsAttachesEveryPathBetweenTheDelimiters)
{
    test::FakeMailer mailer;
    std::string paths = m_photo.string() + ";" + m_second.string() + ";";
    char delimiter[] = ";";
    ASSERT_EQ(MAPISendDocuments(0, delimiter, paths.data(), nullptr, 0), SUCCESS_SUCCESS);
    const auto calls = mailer.calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_NE(calls[0].find("attach=" + m_dir.path().string() + "/beach%20photo.jpg"), std::string::npos) << calls[0];
    EXPECT_NE(calls[0].find("attach=" + m_second.string()), std::string::npos) << calls[0];

    // Another delimiter character keeps ";" inside a path.
    const auto odd = m_dir / "a;b.jpg";
    test::writeFile(odd, "x");
    std::string one = odd.string();
    char bar[] = "|";
    ASSERT_EQ(MAPISendDocuments(0, bar, one.data(), nullptr, 0), SUCCESS_SUCCESS);
    ASSERT_EQ(mailer.calls().size(), 2u);
    EXPECT_NE(mailer.calls()[1].find("a%3Bb.jpg"), std::string::npos) << mailer.calls()[1];
}

TEST_F(MapiTest, MissingFilesAndEmptyListsFailBeforeTheClientRuns)
{
    test::FakeMailer mailer;
    char delimiter[] = ";";
    std::string missing = (m_dir / "gone.jpg").string();
    EXPECT_EQ(MAPISendDocuments(0, delimiter, missing.data(), nullptr, 0), MAPI_E_ATTACHMENT_NOT_FOUND);
    std::string folder = m_dir.path().string();
    EXPECT_EQ(MAPISendDocuments(0, delimiter, folder.data(), nullptr, 0), MAPI_E_ATTACHMENT_NOT_FOUND);
    std::string empty = ";;";
    EXPECT_EQ(MAPISendDocuments(0, delimiter, empty.data(), nullptr, 0), MAPI_E_ATTACHMENT_NOT_FOUND);
    EXPECT_EQ(MAPISendDocuments(0, nullptr, missing.data(), nullptr, 0), MAPI_E_ATTACHMENT_NOT_FOUND);
    EXPECT_TRUE(mailer.calls().empty());
}

TEST_F(MapiTest, SessionsComeFromLogonAndEndWithLogoff)
{
    MAPI_LHANDLE session = 0;
    ASSERT_EQ(MAPILogon(0, nullptr, nullptr, MAPI_LOGON_UI | MAPI_NEW_SESSION, 0, &session), SUCCESS_SUCCESS);
    EXPECT_NE(session, 0u);
    MAPI_LHANDLE other = 0;
    ASSERT_EQ(MAPILogon(0, nullptr, nullptr, MAPI_NEW_SESSION, 0, &other), SUCCESS_SUCCESS);
    EXPECT_NE(other, session);
    EXPECT_EQ(MAPILogon(0, nullptr, nullptr, 0, 0, nullptr), MAPI_E_FAILURE);

    MapiMessage message {};
    EXPECT_EQ(MAPISendMail(session + other + 100, 0, &message, 0, 0), MAPI_E_INVALID_SESSION);
    EXPECT_EQ(MAPILogoff(session, 0, 0, 0), SUCCESS_SUCCESS);
    EXPECT_EQ(MAPILogoff(session, 0, 0, 0), MAPI_E_INVALID_SESSION) << "a session ends once";
    EXPECT_EQ(MAPISendMail(session, 0, &message, 0, 0), MAPI_E_INVALID_SESSION);
    EXPECT_EQ(MAPILogoff(other, 0, 0, 0), SUCCESS_SUCCESS);

    // Without xdg-email there is no mail client to log on to.
    test::ScopedEnv path("PATH", m_dir.path().c_str());
    EXPECT_EQ(MAPILogon(0, nullptr, nullptr, MAPI_LOGON_UI, 0, &session), MAPI_E_LOGIN_FAILURE);
    EXPECT_EQ(session, 0u);
}

TEST_F(MapiTest, SendMailComposesRecipientsSubjectTextAndFiles)
{
    test::FakeMailer mailer;
    char to[] = "SMTP:ann@example.org", toName[] = "Ann", cc[] = "bob@example.org", subject[] = "Our trip & more",
         body[] = "See the photos.", path[256];
    std::snprintf(path, sizeof path, "%s", m_photo.c_str());
    MapiRecipDesc recipients[2] {};
    recipients[0] = MapiRecipDesc { 0, MAPI_TO, toName, to, 0, nullptr };
    recipients[1] = MapiRecipDesc { 0, MAPI_CC, nullptr, cc, 0, nullptr };
    MapiFileDesc file { 0, 0, 0xFFFFFFFFu, path, nullptr, nullptr };
    MapiMessage message {};
    message.lpszSubject = subject;
    message.lpszNoteText = body;
    message.nRecipCount = 2;
    message.lpRecips = recipients;
    message.nFileCount = 1;
    message.lpFiles = &file;
    ASSERT_EQ(MAPISendMail(0, 0, &message, MAPI_DIALOG, 0), SUCCESS_SUCCESS);
    const auto calls = mailer.calls();
    ASSERT_EQ(calls.size(), 1u);
    const std::string& url = calls[0];
    EXPECT_EQ(url.rfind("mailto:ann@example.org?", 0), 0u) << url;
    EXPECT_NE(url.find("cc=bob@example.org"), std::string::npos) << url;
    EXPECT_NE(url.find("subject=Our%20trip%20%26%20more"), std::string::npos) << url;
    EXPECT_NE(url.find("body=See%20the%20photos."), std::string::npos) << url;
    EXPECT_NE(url.find("attach="), std::string::npos) << url;

    // Records that cannot be right are refused before anything runs.
    recipients[1].ulRecipClass = 9;
    EXPECT_EQ(MAPISendMail(0, 0, &message, 0, 0), MAPI_E_BAD_RECIPTYPE);
    recipients[1].ulRecipClass = MAPI_TO;
    char option[] = "--help";
    recipients[1].lpszAddress = option;
    EXPECT_EQ(MAPISendMail(0, 0, &message, 0, 0), MAPI_E_BAD_RECIPTYPE) << "an address is never an option";
    message.lpRecips = nullptr;
    EXPECT_EQ(MAPISendMail(0, 0, &message, 0, 0), MAPI_E_INVALID_MESSAGE);
    message.nRecipCount = 100000;
    EXPECT_EQ(MAPISendMail(0, 0, &message, 0, 0), MAPI_E_INVALID_MESSAGE);
    EXPECT_EQ(MAPISendMail(0, 0, nullptr, 0, 0), MAPI_E_INVALID_MESSAGE);
    EXPECT_EQ(mailer.calls().size(), 1u);
}

TEST_F(MapiTest, AMissingOrFailingMailClientIsAFailure)
{
    std::string paths = m_photo.string();
    char delimiter[] = ";";
    {
        test::NoMailClient none;
        EXPECT_EQ(MAPISendDocuments(0, delimiter, paths.data(), nullptr, 0), MAPI_E_NOT_SUPPORTED);
    }
    {
        test::FakeMailer failing(1);
        EXPECT_EQ(MAPISendDocuments(0, delimiter, paths.data(), nullptr, 0), MAPI_E_FAILURE);
        EXPECT_EQ(failing.calls().size(), 1u);
    }
}
