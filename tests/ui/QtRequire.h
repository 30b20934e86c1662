#pragma once
// The window tests' counterpart of GLIMMER_REQUIRE: a test whose tool or service is missing is
// skipped locally and fails under CI, where the install script brings everything.

#include "ExternalTools.h"

#include <QTest>

#define GLIMMER_QREQUIRE(available, why)                                                                 \
    do {                                                                                                 \
        if (!(available)) {                                                                              \
            if (::gp::test::underCi())                                                                   \
                QFAIL(qPrintable(QStringLiteral("missing under CI: ") + QString::fromStdString(why)));   \
            QSKIP(qPrintable(QString::fromStdString(why)));                                              \
        }                                                                                                \
    } while (0)
