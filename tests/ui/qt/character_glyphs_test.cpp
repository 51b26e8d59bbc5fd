// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/character_glyphs.h"
#include "ui/qt/fonts.h"
#include "ui/qt/prepared_caption.h"

#include <QCoreApplication>
#include <QTest>

using keyloom::CharacterGlyphs;
using keyloom::FontRole;
using keyloom::PreparedCaption;
using keyloom::ShapedText;

class CharacterGlyphsTest : public QObject {
    Q_OBJECT

  private slots:
    // Text grows character by character only where that is how it would be
    // shaped: after text shaped whole, or with a character that joins or
    // reorders, `append` leaves it as it was; `set` then shapes it whole.
    void appendsOnlyWhatShapesAlone_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("then");
        QTest::addColumn<bool>("appended");
        QTest::newRow("Han after Han") << QStringLiteral("天地") << QStringLiteral("人") << true;
        QTest::newRow("digits and a colon")
            << QStringLiteral("对：3") << QStringLiteral("9") << true;
        QTest::newRow("beyond the BMP")
            << QStringLiteral("一") << QStringLiteral("\U00020000") << true;
        QTest::newRow("a combining accent")
            << QStringLiteral("e") << QStringLiteral("\u0301") << false;
        QTest::newRow("Arabic") << QStringLiteral("12") << QStringLiteral("م") << false;
        QTest::newRow("after Arabic") << QStringLiteral("مر") << QStringLiteral("a") << false;
    }
    void appendsOnlyWhatShapesAlone() {
        QFETCH(QString, first);
        QFETCH(QString, then);
        QFETCH(bool, appended);
        CharacterGlyphs& glyphs = CharacterGlyphs::of(keyloom::fontFor(FontRole::Row));
        ShapedText shaped = glyphs.set(first);
        const std::size_t edges = shaped.edges.size();
        QCOMPARE(glyphs.append(shaped, then), appended);
        QCOMPARE(shaped.edges.size(),
                 appended ? edges + static_cast<std::size_t>(then.size()) : edges);
        QCOMPARE(glyphs.width(first + then).has_value(), shaped.byCharacter && appended);
    }

    // A caption is handed over once it is wholly ready, for the text and font
    // it was prepared for, and its picture only for the look it was drawn in.
    void handsOverOnlyWhatIsReady() {
        CharacterGlyphs& row = CharacterGlyphs::of(keyloom::fontFor(FontRole::Row));
        CharacterGlyphs& other = CharacterGlyphs::of(keyloom::fontFor(FontRole::Value));
        const PreparedCaption::Look look{
            .fore = Qt::yellow, .back = Qt::black, .area = QRect(0, -3, 200, 22), .baseline = 14};
        const std::u16string line = u"春风吹绿了江南的岸边";
        PreparedCaption prepared;
        prepared.start(line, row, look);
        QVERIFY2(!prepared.take(line, row, look), "nothing is ready inside the call");
        for (int pass = 0; pass < 100; ++pass) {
            QCoreApplication::processEvents();
        }
        QVERIFY(!prepared.take(u"春风", row, look));
        QVERIFY(!prepared.take(line, other, look));
        PreparedCaption::Look inside = look;
        inside.area = QRect(0, 0, 200, 19); // a row its pane cuts
        const auto ready = prepared.take(line, row, inside);
        QVERIFY(ready && !ready->picture.isNull() && ready->shaped.edges.size() == line.size() + 1);
        QCOMPARE(ready->pictureAt, look.area.topLeft());
        QVERIFY2(!prepared.take(line, row, look), "handed over once");

        prepared.start(line, row, look);
        for (int pass = 0; pass < 100; ++pass) {
            QCoreApplication::processEvents();
        }
        PreparedCaption::Look red = look;
        red.fore = Qt::red;
        const auto unpictured = prepared.take(line, row, red);
        QVERIFY(unpictured && unpictured->picture.isNull());
    }
};

QTEST_MAIN(CharacterGlyphsTest)
#include "character_glyphs_test.moc"
