// The help pages against the program: every topic the program opens has its own page (the
// viewer would otherwise fall back to the index without a word), every link between pages
// leads somewhere, and each screen's page names every button that screen shows.

#include "HelpPagesTest.h"

#include "dialogs/HelpTopics.h"
#include "dialogs/HelpViewer.h"
#include "skin/ButtonLayout.h"
#include "shell/ButtonIds.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace gp;
using namespace gp::ui;


namespace {

const QString kHelpDir = QStringLiteral(GLIMMER_SOURCE_HELPDIR);

QString pageText(const QString& topic)
{
    QFile file(kHelpDir + QLatin1Char('/') + topic + QStringLiteral(".html"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

void HelpPagesTest::everyTopicHasItsOwnPage()
{
    QStringList topics = help::allTopics();
    // The seven screens, the two context menus, the Template dialog, the index and the readme.
    QCOMPARE(topics.size(), 12);
    QCOMPARE(topics.removeDuplicates(), 0);
    for (const QString& topic : topics) {
        const QString text = pageText(topic);
        QVERIFY2(!text.isEmpty(), qPrintable(topic));
        QVERIFY2(text.contains(QStringLiteral("<h2>")), qPrintable(topic + ": no title"));
        // The viewer shows the topic's own page, not the index it falls back to.
        HelpViewer* viewer = HelpViewer::show(nullptr, kHelpDir, topic);
        QVERIFY(viewer);
        QVERIFY2(viewer->source().endsWith(topic + QStringLiteral(".html")), qPrintable(viewer->source()));
        // Every page but the index leads back to it.
        if (topic != help::indexTopic())
            QVERIFY2(text.contains(QStringLiteral("href=\"index.html\"")), qPrintable(topic));
    }
    // A topic the program does not know gives the index, not an empty window.
    QVERIFY(HelpViewer::show(nullptr, kHelpDir, QStringLiteral("topic1"))->source().endsWith(QStringLiteral("index.html")));
    delete HelpViewer::show(nullptr, kHelpDir, help::indexTopic());
}

void HelpPagesTest::linksBetweenPagesResolve()
{
    static const QRegularExpression link(QStringLiteral("href=\"([^\"#]+)\""));
    const QStringList pages = QDir(kHelpDir).entryList({ QStringLiteral("*.html") }, QDir::Files);
    QVERIFY(pages.size() >= 12);
    for (const QString& page : pages) {
        QFile file(kHelpDir + QLatin1Char('/') + page);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        for (auto it = link.globalMatch(text); it.hasNext();) {
            const QString target = it.next().captured(1);
            QVERIFY2(QFile::exists(kHelpDir + QLatin1Char('/') + target), qPrintable(page + " -> " + target));
        }
    }
    // The index reaches every screen's page.
    const QString index = pageText(help::indexTopic());
    for (int page = 0; page < kFramePages; ++page)
        QVERIFY2(index.contains(help::screenTopic(page) + QStringLiteral(".html")), qPrintable(help::screenTopic(page)));
}

void HelpPagesTest::screenPagesNameTheirButtons()
{
    for (int page = 0; page < kFramePages; ++page) {
        const QString text = pageText(help::screenTopic(page));
        for (const ButtonSpec& shown : framePage(page)) {
            const QString label = QString::fromUtf8(shown.label);
            if (shown.id == button::Logo || label.isEmpty())
                continue;
            QVERIFY2(text.contains(label), qPrintable(help::screenTopic(page) + " does not name " + label));
        }
    }
}

QTEST_MAIN(HelpPagesTest)
