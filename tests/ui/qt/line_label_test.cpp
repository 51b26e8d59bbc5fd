// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/pixels.h"
#include "ui/qt/fonts.h"
#include "ui/qt/line_label.h"
#include "ui/qt/qt_text_measure.h"

#include <QFontMetricsF>
#include <QImage>
#include <QTest>

using keyloom::FontRole;
using keyloom::LineLabel;

namespace {

QImage paintedBy(QLabel& label, FontRole font, Qt::Alignment alignment, const QString& text) {
    label.setFont(keyloom::fontFor(font));
    label.setAlignment(alignment);
    label.setAutoFillBackground(true);
    label.setText(text);
    label.resize(120, 19);
    return label.grab().toImage();
}

} // namespace

// A line label paints its text as a QLabel does, to the pixel, whether it
// sets the text from kept glyphs or leaves it to QLabel; twice, the second
// time from glyphs it kept.
class LineLabelTest : public QObject {
    Q_OBJECT

  private slots:
    void paintsAsQLabelPaints_data() {
        QTest::addColumn<QString>("text");
        for (const QString& text :
             {QStringLiteral("对：39"), QStringLiteral("812"), QStringLiteral("00:01"),
              QStringLiteral("五笔86  的 r · rqyy"), QStringLiteral("Wavy AV To, fi!"),
              QStringLiteral("7.5% 1/4"), QStringLiteral("一\U00020000二"),
              QStringLiteral("مرحبا 12"), QStringLiteral("e\u0301 café"),
              QStringLiteral("总共时间：五笔86拼音很长的一行字会超出标签的宽度而被截掉")}) {
            QTest::newRow(qPrintable(text)) << text;
        }
    }
    void paintsAsQLabelPaints() {
        QFETCH(QString, text);
        for (const FontRole font : {FontRole::Standard, FontRole::Row, FontRole::Value}) {
            for (const Qt::Alignment alignment :
                 {Qt::AlignLeft | Qt::AlignVCenter, Qt::AlignRight | Qt::AlignVCenter,
                  Qt::AlignLeft | Qt::AlignTop}) {
                QLabel plain;
                LineLabel line;
                const QImage expected = paintedBy(plain, font, alignment, text);
                QCOMPARE(paintedBy(line, font, alignment, text), expected);
                QCOMPARE(line.grab().toImage(), expected);
            }
            // An AutoSize label's width comes from the same glyphs.
            const QFont qtFont = keyloom::fontFor(font);
            QCOMPARE(keyloom::QtTextMeasure().width(text.toStdU16String(), font),
                     keyloom::toTwips(QFontMetricsF(qtFont).horizontalAdvance(text)));
        }
    }
};

QTEST_MAIN(LineLabelTest)
#include "line_label_test.moc"
