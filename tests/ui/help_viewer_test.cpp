// SPDX-License-Identifier: GPL-3.0-or-later
// The help viewer: finding in the page, Back and Forward, the facts of this run on the About
// page, and where it stands beside the calculator.
#include "ui/help_viewer.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

#include "ui/help_page.h"
#include "ui/help_placement.h"
#include "version/program_version.h"

using namespace rpn::ui;

namespace {

// Two topics; "gamma" three times on the first, once on the second.
constexpr const char* kPage =
    "<html><body>"
    "<h1><a name=\"topic-0\"></a>First</h1>"
    "<p>alpha gamma beta gamma delta gamma</p>"
    "<p><a href=\"#topic-10\">to the second</a></p>"
    "<h2><a name=\"topic-10\"></a>Second</h2>"
    "<p>gamma once; the session file is <b><!--session-file-->the rule's file<!--/session-file-->"
    "</b>, version <!--program-version-->unknown<!--/program-version-->.</p>"
    "</body></html>";

}  // namespace

class HelpViewerTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    QString path_;

    // The selection's start in the page, or -1.
    static int Match(const HelpViewer& viewer) {
        const QTextCursor c = viewer.browser()->textCursor();
        return c.hasSelection() ? c.selectionStart() : -1;
    }
    static QList<int> Places(const HelpViewer& viewer, const QString& word) {
        QList<int> places;
        const QString text = viewer.browser()->toPlainText();
        for (qsizetype at = text.indexOf(word); at >= 0; at = text.indexOf(word, at + 1)) {
            places << static_cast<int>(at);
        }
        return places;
    }

  private slots:
    void initTestCase() {
        path_ = dir_.filePath(QStringLiteral("help.hlp"));
        QFile file(path_);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kPage);
    }

    void findWalksThePageAndGoesRound_data() {
        QTest::addColumn<QString>("keys");
        // Indexes into the places of "gamma"; -1 for no selection.
        QTest::addColumn<QList<int>>("matches");
        QTest::newRow("Enter walks forward and goes round") << "EEEEE" << QList<int>{1, 2, 3, 0, 1};
        QTest::newRow("F3 as Enter") << "FF" << QList<int>{1, 2};
        QTest::newRow("Shift+Enter walks back round the start") << "SS" << QList<int>{3, 2};
        QTest::newRow("Shift+F3 as Shift+Enter") << "GG" << QList<int>{3, 2};
        QTest::newRow("forward then back") << "EES" << QList<int>{1, 2, 1};
    }
    void findWalksThePageAndGoesRound() {
        QFETCH(QString, keys);
        QFETCH(QList<int>, matches);
        HelpViewer viewer(nullptr);
        viewer.ShowTopic(QFile::encodeName(path_).toStdString(), 0);
        QVERIFY(QTest::qWaitForWindowActive(&viewer));
        QVERIFY(!viewer.findBar()->isVisible());
        QTest::keyClick(&viewer, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(viewer.findBar()->isVisible());
        QVERIFY(viewer.findField()->hasFocus());
        // Typing finds the first place at once.
        QTest::keyClicks(viewer.findField(), QStringLiteral("gamma"));
        const QList<int> places = Places(viewer, QStringLiteral("gamma"));
        QCOMPARE(places.size(), 4);
        QCOMPARE(Match(viewer), places[0]);
        for (int i = 0; i < keys.size(); ++i) {
            switch (keys[i].toLatin1()) {
                case 'E':
                    QTest::keyClick(viewer.findField(), Qt::Key_Return);
                    break;
                case 'S':
                    QTest::keyClick(viewer.findField(), Qt::Key_Return, Qt::ShiftModifier);
                    break;
                case 'F':
                    QTest::keyClick(&viewer, Qt::Key_F3);
                    break;
                case 'G':
                    QTest::keyClick(&viewer, Qt::Key_F3, Qt::ShiftModifier);
                    break;
            }
            QCOMPARE(Match(viewer), places[matches[i]]);
            QVERIFY(viewer.findStatus()->text().isEmpty());
        }
    }

    void textNotThereIsSaidAndTheSelectionStays() {
        HelpViewer viewer(nullptr);
        viewer.ShowTopic(QFile::encodeName(path_).toStdString(), 0);
        QVERIFY(QTest::qWaitForWindowActive(&viewer));
        viewer.OpenFindBar();
        QTest::keyClicks(viewer.findField(), QStringLiteral("beta"));
        const int found = Match(viewer);
        QVERIFY(found >= 0);
        QTest::keyClicks(viewer.findField(), QStringLiteral("x"));
        QCOMPARE(viewer.findStatus()->text(), QStringLiteral("Not found"));
        QCOMPARE(Match(viewer), found);
        // Back to a word that is there: the message goes.
        QTest::keyClick(viewer.findField(), Qt::Key_Backspace);
        QVERIFY(viewer.findStatus()->text().isEmpty());
        QCOMPARE(Match(viewer), found);
    }

    void escapeClosesTheFindBar() {
        HelpViewer viewer(nullptr);
        viewer.ShowTopic(QFile::encodeName(path_).toStdString(), 0);
        QVERIFY(QTest::qWaitForWindowActive(&viewer));
        QTest::keyClick(&viewer, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(viewer.findBar()->isVisible());
        QTest::keyClick(viewer.findField(), Qt::Key_Escape);
        QVERIFY(!viewer.findBar()->isVisible());
        QVERIFY(viewer.isVisible());
        QVERIFY(viewer.browser()->hasFocus());
    }

    void backAndForwardWalkThePagesSeen() {
        HelpViewer viewer(nullptr);
        viewer.ShowTopic(QFile::encodeName(path_).toStdString(), 0);
        QVERIFY(QTest::qWaitForWindowActive(&viewer));
        QVERIFY(viewer.backButton()->isVisible());
        QVERIFY(viewer.forwardButton()->isVisible());
        QVERIFY(!viewer.backButton()->isEnabled());
        QVERIFY(!viewer.forwardButton()->isEnabled());

        viewer.browser()->setSource(QUrl(QStringLiteral("#topic-10")));
        QCOMPARE(viewer.browser()->source().fragment(), QStringLiteral("topic-10"));
        QVERIFY(viewer.backButton()->isEnabled());

        viewer.backButton()->click();
        QCOMPARE(viewer.browser()->source().fragment(), QStringLiteral("topic-0"));
        QVERIFY(viewer.forwardButton()->isEnabled());
        QVERIFY(!viewer.backButton()->isEnabled());

        viewer.forwardButton()->click();
        QCOMPARE(viewer.browser()->source().fragment(), QStringLiteral("topic-10"));

        // The keys, also from the find field.
        viewer.OpenFindBar();
        QTest::keyClick(viewer.findField(), Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(viewer.browser()->source().fragment(), QStringLiteral("topic-0"));
        QTest::keyClick(viewer.findField(), Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(viewer.browser()->source().fragment(), QStringLiteral("topic-10"));
    }

    void aboutPageNamesThisRunsFacts() {
        HelpViewer viewer(nullptr);
        viewer.SetSessionFile(QStringLiteral("/home/u/.config/rpncalc/rpncalc.cfg"));
        viewer.ShowTopic(QFile::encodeName(path_).toStdString(), 10);
        const QString text = viewer.browser()->toPlainText();
        QVERIFY(text.contains(QStringLiteral("is /home/u/.config/rpncalc/rpncalc.cfg, version")));
        QVERIFY(!text.contains(QStringLiteral("unknown")));
    }

    void shippedAboutTopicNamesTheRun() {
        HelpViewer viewer(nullptr);
        viewer.SetSessionFile(QStringLiteral("/home/u/.config/rpncalc/rpncalc.cfg"));
        viewer.ShowTopic(RPNCALC_HELP_FILE, 110);
        QCOMPARE(viewer.browser()->source().fragment(), QStringLiteral("topic-110"));
        const QString text = viewer.browser()->toPlainText();
        for (const QString& fact :
             {QStringLiteral("rpncalc version %1.").arg(QLatin1String(rpn::kProgramVersion)),
              QStringLiteral("GPL-3.0-or-later"),
              QStringLiteral("This calculator uses /home/u/.config/rpncalc/rpncalc.cfg.")}) {
            QVERIFY2(text.contains(fact), qPrintable(fact));
        }
    }

    void fillInHelpPage_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("session");
        QTest::addColumn<QString>("filled");
        QTest::newRow("both") << "v <!--program-version-->?<!--/program-version--> at "
                                 "<!--session-file-->rule<!--/session-file-->."
                              << "1.2.3"
                              << "/a/b.cfg"
                              << "v 1.2.3 at /a/b.cfg.";
        QTest::newRow("markup in a path stays text")
            << "<!--session-file-->rule<!--/session-file-->"
            << "1"
            << "/tmp/<b>&x"
            << "/tmp/&lt;b&gt;&amp;x";
        QTest::newRow("no session known: the rule stays")
            << "<!--session-file-->rule<!--/session-file-->"
            << "1"
            << ""
            << "<!--session-file-->rule<!--/session-file-->";
        QTest::newRow("twice") << "<!--program-version-->a<!--/program-version-->,"
                                  "<!--program-version-->b<!--/program-version-->"
                               << "9"
                               << ""
                               << "9,9";
        QTest::newRow("an unclosed mark is left alone") << "<!--program-version-->a"
                                                        << "9"
                                                        << ""
                                                        << "<!--program-version-->a";
        QTest::newRow("a value that looks like a mark is not filled again")
            << "<!--session-file-->r<!--/session-file-->"
            << "9"
            << "<!--session-file-->x<!--/session-file-->"
            << "&lt;!--session-file--&gt;x&lt;!--/session-file--&gt;";
    }
    void fillInHelpPage() {
        QFETCH(QString, html);
        QFETCH(QString, version);
        QFETCH(QString, session);
        QFETCH(QString, filled);
        QCOMPARE(FillInHelpPage(html, version, session), filled);
    }

    void placementBesideTheCalculator_data() {
        QTest::addColumn<QRect>("calculator");
        QTest::addColumn<QSize>("viewer");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("expected");
        const QRect screen(0, 0, 1920, 1080);
        const QSize viewer(560, 520);
        QTest::newRow("room on the right")
            << QRect(100, 200, 522, 311) << viewer << screen << QPoint(626, 200);
        QTest::newRow("right edge: left of it")
            << QRect(1300, 200, 522, 311) << viewer << screen << QPoint(736, 200);
        QTest::newRow("low: lifted to the screen's bottom")
            << QRect(100, 900, 522, 170) << viewer << screen << QPoint(626, 560);
        QTest::newRow("narrow screen: below")
            << QRect(100, 10, 522, 311) << viewer << QRect(0, 0, 800, 1080) << QPoint(100, 325);
        QTest::newRow("narrow screen, calculator low: above")
            << QRect(200, 700, 522, 311) << viewer << QRect(0, 0, 800, 1080) << QPoint(200, 176);
        QTest::newRow("below, pushed in from the right edge")
            << QRect(400, 10, 390, 311) << viewer << QRect(0, 0, 800, 1080) << QPoint(240, 325);
        QTest::newRow("second screen to the right")
            << QRect(2000, 100, 522, 311) << viewer << QRect(1920, 0, 1280, 1024)
            << QPoint(2526, 100);
        QTest::newRow("no room anywhere: least overlap")
            << QRect(100, 100, 522, 311) << viewer << QRect(0, 0, 800, 600) << QPoint(240, 80);
        QTest::newRow("same size as a full screen: never exactly over it")
            << QRect(0, 0, 560, 520) << viewer << QRect(0, 0, 560, 520) << QPoint(32, 32);
    }
    void placementBesideTheCalculator() {
        QFETCH(QRect, calculator);
        QFETCH(QSize, viewer);
        QFETCH(QRect, screen);
        QFETCH(QPoint, expected);
        const QPoint at = HelpViewerPosition(calculator, viewer, screen);
        QCOMPARE(at, expected);
        QVERIFY(QRect(at, viewer) != calculator);
    }

    void viewerOpensBesideItsOwner() {
        QWidget owner;
        owner.setGeometry(10, 10, 200, 100);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        HelpViewer viewer(&owner);
        viewer.ShowTopic(QFile::encodeName(path_).toStdString(), 0);
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QVERIFY2(!viewer.frameGeometry().intersects(owner.frameGeometry()),
                 qPrintable(QStringLiteral("viewer at %1,%2")
                                .arg(viewer.frameGeometry().x())
                                .arg(viewer.frameGeometry().y())));
        QVERIFY(viewer.frameGeometry().left() > owner.frameGeometry().right());
    }
};

QTEST_MAIN(HelpViewerTest)
#include "help_viewer_test.moc"
