// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The lesson window (F5) on the offscreen platform: what it lists, its tab
// order, Enter starting the chosen course and Esc closing it.
#include "ui/qt/lesson_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <random>

using namespace keyloom;

namespace {

namespace fs = std::filesystem;

// A set of 25 characters and an article, in a folder of their own.
class Texts {
  public:
    Texts() {
        fs::create_directories(root_);
        std::ofstream(root_ / "set.txt", std::ios::binary)
            << "一\n二\n三\n四\n五\n六\n七\n八\n九\n十\n甲\n乙\n丙\n丁\n戊\n己\n庚\n辛\n壬\n癸\n"
               "子\n丑\n寅\n卯\n辰\n";
        std::ofstream(root_ / "article.txt", std::ios::binary) << "春风又绿江南岸";
    }
    ~Texts() { fs::remove_all(root_); }
    Texts(const Texts&) = delete;
    Texts& operator=(const Texts&) = delete;

    [[nodiscard]] LessonChoices choices() const {
        Library library;
        library.texts = {
            {.name = u"常用字前500", .path = root_ / "set.txt", .isSet = true, .size = 25},
            {.name = u"短文", .path = root_ / "article.txt", .isSet = false, .size = 7}};
        library.problems = {u"缺少数据文件"};
        return {library, 3};
    }
    [[nodiscard]] const fs::path& root() const { return root_; }

  private:
    fs::path root_ = fs::temp_directory_path() /
                     ("keyloom-lesson-window-" + std::to_string(std::random_device()()));
};

QString focusName() {
    return QApplication::focusWidget() == nullptr ? QString()
                                                  : QApplication::focusWidget()->objectName();
}

} // namespace

class LessonWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void listsTheTextsAndTabsThroughItsControls() {
        const Texts texts;
        LessonWindow window(
            texts.choices(), [](const CourseOptions&) {}, nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("课文 KeyloomV1.0"));
        auto* list = window.findChild<QListWidget*>(QStringLiteral("lstTexts"));
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QStringLiteral("常用字前500（25 条）"));
        QCOMPARE(list->item(1)->text(), QStringLiteral("短文（7 字）"));
        QCOMPARE(window.findChild<QComboBox*>(QStringLiteral("cboSegment"))->count(), 2); // 20
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblProblems"))->text(),
                 QStringLiteral("缺少数据文件"));

        const QStringList order{QStringLiteral("lstTexts"),    QStringLiteral("cboLength"),
                                QStringLiteral("chkShuffle"),  QStringLiteral("cboSegment"),
                                QStringLiteral("cboAccuracy"), QStringLiteral("cboSpeed"),
                                QStringLiteral("cmdStart"),    QStringLiteral("cmdClose"),
                                QStringLiteral("lstTexts")};
        for (const QString& name : order) {
            QCOMPARE(focusName(), name);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }

        // An article is never shuffled.
        list->setCurrentRow(1);
        QVERIFY(!window.findChild<QCheckBox*>(QStringLiteral("chkShuffle"))->isEnabled());
    }

    void enterStartsTheChosenSegment() {
        const Texts texts;
        std::optional<CourseOptions> started;
        LessonWindow window(
            texts.choices(), [&](const CourseOptions& options) { started = options; }, nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.findChild<QComboBox*>(QStringLiteral("cboLength"))->setCurrentIndex(0); // 10
        auto* segments = window.findChild<QComboBox*>(QStringLiteral("cboSegment"));
        QCOMPARE(segments->count(), 3); // 25 characters by 10: the last short
        segments->setCurrentIndex(2);
        window.findChild<QComboBox*>(QStringLiteral("cboSpeed"))->setCurrentIndex(2); // 60 字/分
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(started.has_value());
        QCOMPARE(started->set, std::u16string(u"常用字前500"));
        QCOMPARE(started->length, 10);
        QCOMPARE(started->segment, 3);
        QCOMPARE(started->target.accuracy, 1000);
        QCOMPARE(started->target.charactersPerMinute, 60);
        QVERIFY(!window.isVisible());
    }

    void escClosesAndAnUnreadableTextSaysWhy() {
        const Texts texts;
        bool startedAny = false;
        LessonWindow window(
            texts.choices(), [&](const CourseOptions&) { startedAny = true; }, nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        fs::remove(texts.root() / "article.txt");
        window.findChild<QListWidget*>(QStringLiteral("lstTexts"))->setCurrentRow(1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!startedAny);
        QVERIFY(window.isVisible());
        QVERIFY(!window.findChild<QLabel*>(QStringLiteral("lblProblems"))->text().isEmpty());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!window.isVisible());
        QVERIFY(!startedAny);
    }
};

QTEST_MAIN(LessonWindowTest)
#include "lesson_window_test.moc"
