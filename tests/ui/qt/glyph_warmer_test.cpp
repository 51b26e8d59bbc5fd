// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/fonts.h"
#include "ui/qt/glyph_warmer.h"

#include <QCoreApplication>
#include <QTest>

using keyloom::FontRole;
using keyloom::GlyphWarmer;

// The warmer works only between events, and goes quiet once its text is
// ready: a timer left running would take a core while the user reads.
class GlyphWarmerTest : public QObject {
    Q_OBJECT

  private slots:
    void goesQuietOnceTheTextIsReady_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << QString() << QString();
        QTest::newRow("a few characters") << QString() << QStringLiteral("天地人");
        QTest::newRow("a whole row")
            << QString()
            << QStringLiteral("春风吹绿了江南的岸边小河里的水哗哗地向前流").repeated(2);
        QTest::newRow("a pair of surrogates at a pass's end")
            << QString() << QStringLiteral("一二三\U00020000四");
        QTest::newRow("a line in place of one still waiting")
            << QStringLiteral("山高水长").repeated(11) << QStringLiteral("人");
        QTest::newRow("nothing in place of a line") << QStringLiteral("山高水长") << QString();
    }
    void goesQuietOnceTheTextIsReady() {
        QFETCH(QString, first);
        QFETCH(QString, text);
        GlyphWarmer warmer(keyloom::fontFor(FontRole::Row), nullptr);
        warmer.prepare(first.toStdU16String());
        warmer.prepare(text.toStdU16String());
        QCOMPARE(warmer.busy(), !text.isEmpty()); // nothing is drawn inside the call
        for (int pass = 0; pass < 100 && warmer.busy(); ++pass) {
            QCoreApplication::processEvents();
        }
        QVERIFY(!warmer.busy());
    }
};

QTEST_MAIN(GlyphWarmerTest)
#include "glyph_warmer_test.moc"
