// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/active_input_method.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <string>
#include <vector>

// Where Qt's input goes through IBus, its global engine names the method,
// as `ibus engine` prints it; here a stand-in `ibus` on PATH prints it.
class ActiveInputMethodTest : public QObject {
    Q_OBJECT

  private slots:
    void asksIbusForItsGlobalEngine_data() {
        QTest::addColumn<QString>("ibus"); // the stand-in's script; empty: none
        QTest::addColumn<QString>("named");
        QTest::newRow("an engine")
            << QStringLiteral("echo libpinyin") << QStringLiteral("libpinyin");
        QTest::newRow("a table engine")
            << QStringLiteral("echo table:wubi-jidian86") << QStringLiteral("table:wubi-jidian86");
        QTest::newRow("none set") << QStringLiteral("echo 'No engine is set.'; exit 1")
                                  << QString();
        QTest::newRow("no daemon") << QStringLiteral("exit 1") << QString();
        QTest::newRow("no IBus installed") << QString() << QString();
        QTest::newRow("a daemon that hangs") << QStringLiteral("exec sleep 30") << QString();
    }
    void asksIbusForItsGlobalEngine() {
        QFETCH(QString, ibus);
        QFETCH(QString, named);
        const QTemporaryDir bin;
        if (!ibus.isEmpty()) {
            QFile script(bin.filePath(QStringLiteral("ibus")));
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write(("#!/bin/sh\n" + ibus + "\n").toUtf8());
            script.close();
            script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
        qputenv("PATH", bin.path().toLocal8Bit());
        qputenv("QT_IM_MODULE", "ibus");
        std::vector<std::string> answers;
        QObject context;
        keyloom::askActiveInputMethod(
            context, [&answers](const std::string& method) { answers.push_back(method); });
        if (named.isEmpty()) {
            QTest::qWait(3000); // past the ask and the reply's time limit
            QVERIFY(answers.empty());
        } else {
            QTRY_COMPARE(answers.size(), std::size_t{1});
            QCOMPARE(QString::fromStdString(answers.front()), named);
        }
    }
};

QTEST_MAIN(ActiveInputMethodTest)
#include "active_input_method_test.moc"
