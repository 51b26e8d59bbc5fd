// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/error_report.h"
#include "version.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QString>
#include <QTextStream>

namespace keyloom {

void reportError(const std::exception& error) {
    // Also on stderr, for a start from a terminal or a desktop session's log.
    QTextStream(stderr) << QCoreApplication::applicationName() << ": "
                        << QString::fromUtf8(error.what()) << "\n";
    QMessageBox box(QMessageBox::Critical, QString::fromUtf16(kApplicationTitle),
                    QString::fromUtf8(error.what()), QMessageBox::Ok);
    box.exec();
}

} // namespace keyloom
