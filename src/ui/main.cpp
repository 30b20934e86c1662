// glimmerpress: the window program. One runs per user; a second start hands its command line to
// the first and ends.

#include "frame/MainFrame.h"
#include "frame/QtHost.h"
#include "frame/SingleInstance.h"
#include "gfx/QtPrinterCatalog.h"
#include "app/App.h"
#include "shell/FirstStart.h"
#include "shell/StringTable.h"
#include "shell/UserSettings.h"
#include "views/PageView.h"

#include <QApplication>
#include <QScreen>
#include <memory>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const QString instanceName = gp::ui::SingleInstance::socketName();
    if (gp::ui::SingleInstance::handOver(instanceName, arguments, 300))
        return 0;
    gp::ui::SingleInstance instance;
    instance.listen(instanceName);

    gp::ui::QtHost host;
    const gp::Paths paths = gp::Paths::fromEnvironment(GLIMMER_BUILD_DATADIR, GLIMMER_BUILD_LIBDIR);
    // On the first start the user's settings file comes from the installed default; when even
    // that fails, the settings check below reports the missing file.
    (void)gp::provideUserFolders(paths);
    gp::App app(host, paths);
    if (app.settingsFileExists())
        app.readSettings();
    // The system's printers; the default one's page is measured before the layouts are built.
    gp::gfx::QtPrinterCatalog printers;
    app.printer().setCatalog(&printers);
    (void)app.printer().openContext();

    QScreen* screen = application.primaryScreen();
    const QSize screenSize = screen->size();
    const bool mode640 = gp::ui::use640Mode(screenSize);
    // The screen depth decides the rendering mode; the ScreenDepth setting can force one.
    const int forcedDepth = gp::readUserInt(app.settingsFile(), gp::StringId::KeyScreenDepth, 0);
    const int depth = forcedDepth > 0 ? forcedDepth : screen->depth();

    gp::ui::MainFrame frame(app, mode640, depth);
    frame.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    host.setWindow(&frame);
    host.statusSink = [&frame](gp::StatusPane pane, std::string_view text) { frame.showStatus(pane, text); };
    host.pageSink = [&frame] { frame.pageView()->refresh(); };
    if (!frame.checkSettingsFile()) {
        frame.close();
        return 0;
    }

    // A black backdrop covers a screen larger than the frame.
    std::unique_ptr<QWidget> backdrop;
    if (screenSize.width() > frame.width() || screenSize.height() > frame.height()) {
        backdrop
            = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint);
        backdrop->setWindowTitle(QString::fromUtf8(gp::text(gp::StringId::ProductName).data()));
        backdrop->setStyleSheet(QStringLiteral("background: black"));
        backdrop->setGeometry(screen->geometry());
        backdrop->show();
        frame.setBackdrop(backdrop.get());
    }
    frame.move(screen->geometry().left() + (screenSize.width() - frame.width()) / 2,
        screen->geometry().top() + (screenSize.height() - frame.height()) / 2);
    frame.show();
    frame.raise();
    // The keys work from the start, also where no window manager hands out the focus.
    frame.activateWindow();

    frame.openArguments(arguments);
    QObject::connect(&instance, &gp::ui::SingleInstance::argumentsReceived, &frame, [&](const QStringList& received) {
        if (backdrop)
            backdrop->showNormal();
        frame.showNormal();
        frame.raise();
        frame.activateWindow();
        frame.openArguments(received);
    });
    return application.exec();
}
