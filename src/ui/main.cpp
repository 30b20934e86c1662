// glimmerpress: the window program.

#include "frame/QtHost.h"
#include "shell/App.h"
#include "shell/StringTable.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    gp::ui::QtHost host;
    gp::App app(host, gp::Paths::fromEnvironment(GLIMMER_BUILD_DATADIR, GLIMMER_BUILD_LIBDIR));

    // The program refuses to run without its settings file.
    if (!app.settingsFileExists()) {
        host.message(gp::text(gp::StringId::CaptionWarning), gp::text(gp::StringId::MissingIniFile), gp::Icon::Warning);
        return 0;
    }
    app.readSettings();

    // The frame: 640 × 480 on small screens, else 800 × 600, centred.
    const QSize screen = application.primaryScreen()->size();
    const bool small = (screen.width() >= 640 && screen.width() < 800) || (screen.height() >= 480 && screen.height() < 600);
    QWidget frame;
    frame.setWindowTitle(QString::fromUtf8(gp::text(gp::StringId::ProductName).data()));
    frame.setFixedSize(small ? QSize(640, 480) : QSize(800, 600));
    frame.move((screen.width() - frame.width()) / 2, (screen.height() - frame.height()) / 2);
    auto* layout = new QVBoxLayout(&frame);
    layout->addWidget(new QLabel(QStringLiteral("Glimmerpress"), &frame), 0, Qt::AlignCenter);
    host.setWindow(&frame);
    frame.show();

    const int status = application.exec();
    app.writeSettings();
    return status;
}
