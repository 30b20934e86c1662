#pragma once
// The high-density window tests measure their pictures at device pixel ratio 2, run the same test
// function again in a child process at another scale, and compare. The child run is told by an
// environment variable naming the file it writes its measures to instead of comparing.

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSize>
#include <QString>
#include <map>

namespace gp::test {

using PictureSizes = std::map<QString, QSize>;

// The report file of a child run, empty in the first run.
inline QString childReportFile(const char* variable)
{
    return QString::fromLocal8Bit(qgetenv(variable));
}

inline void writeSizes(const PictureSizes& sizes, const QString& file)
{
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return;
    for (const auto& [name, size] : sizes)
        out.write(QStringLiteral("%1 %2 %3\n").arg(name).arg(size.width()).arg(size.height()).toUtf8());
}

inline PictureSizes readSizes(const QString& file)
{
    PictureSizes sizes;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return sizes;
    for (const QByteArray& line : in.readAll().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() == 3)
            sizes[QString::fromUtf8(parts[0])] = QSize(parts[1].toInt(), parts[2].toInt());
    }
    return sizes;
}

// Runs this test program's `testFunction` at QT_SCALE_FACTOR `scale`, its report going to
// `reportFile`; true when the child run passed.
inline bool rerunAtScale(const QString& testFunction, const QString& scale, const char* variable,
    const QString& reportFile)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
    environment.insert(QString::fromLatin1(variable), reportFile);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), { testFunction });
    return child.waitForFinished(120000) && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
}

// The first picture of `one` (the 1x run) whose size in `here` is not twice its own (or, for the
// names in `unscaled`, not its own), described; empty when all agree and the names match.
inline QString firstSizeNotDoubled(const PictureSizes& one, const PictureSizes& here,
    const QStringList& unscaled = {})
{
    if (one.size() != here.size())
        return QStringLiteral("%1 pictures at 1, %2 at 2").arg(one.size()).arg(here.size());
    for (const auto& [name, size] : one) {
        const auto found = here.find(name);
        if (found == here.end())
            return name + QStringLiteral(" missing at 2");
        const QSize expected = unscaled.contains(name) ? size : size * 2;
        if (found->second != expected)
            return QStringLiteral("%1: %2x%3 at 2, %4x%5 at 1")
                .arg(name)
                .arg(found->second.width())
                .arg(found->second.height())
                .arg(size.width())
                .arg(size.height());
    }
    return {};
}

} // namespace gp::test
