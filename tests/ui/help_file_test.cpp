// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QtTest>
#include <filesystem>
#include <string>

#include "ui/help_viewer.h"

using rpn::ui::HelpViewer;
using rpn::ui::kLargestHelpFile;
using rpn::ui::ReadHelpFile;

namespace {

// Written through the system's calls: the toolkit's file names are text, and a name that is
// no valid UTF-8 does not survive them.
void WriteFile(const std::string& path, const QByteArray& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, bytes.data(), static_cast<std::size_t>(bytes.size())), bytes.size());
    ::close(fd);
}

const QByteArray kRegularHelp = "<p><a name=\"topic-0\">Help</a></p>";

// Makes a file system object at the path it is given.
enum class Place { Missing, Folder, Fifo, LinkToDevZero, LargestFile, OneByteTooMany, Regular };

}  // namespace

Q_DECLARE_METATYPE(Place)

class HelpFileTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;

    // A folder whose name is no valid UTF-8 (Latin-1 "café"): the path is carried as bytes.
    std::string Folder() const { return QFile::encodeName(dir_.path()).toStdString() + "/caf\xe9"; }

    std::string Make(Place place) {
        const std::string path = Folder() + "/rpncalc.hlp";
        ::mkdir(Folder().c_str(), 0700);
        ::unlink(path.c_str());
        ::rmdir(path.c_str());
        switch (place) {
            case Place::Missing:
                break;
            case Place::Folder:
                ::mkdir(path.c_str(), 0700);
                break;
            case Place::Fifo:
                ::mkfifo(path.c_str(), 0600);
                break;
            case Place::LinkToDevZero:
                ::symlink("/dev/zero", path.c_str());
                break;
            case Place::LargestFile:
                WriteFile(path, QByteArray(kLargestHelpFile, ' '));
                break;
            case Place::OneByteTooMany:
                WriteFile(path, QByteArray(kLargestHelpFile + 1, ' '));
                break;
            case Place::Regular:
                WriteFile(path, kRegularHelp);
                break;
        }
        return path;
    }

  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void cleanupTestCase() { std::filesystem::remove_all(Folder()); }

    void readsOnlyASmallRegularFile_data() {
        QTest::addColumn<Place>("place");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<qsizetype>("size");
        QTest::newRow("missing") << Place::Missing << "No such file or directory" << qsizetype(0);
        QTest::newRow("folder") << Place::Folder << "it is not a regular file" << qsizetype(0);
        // Opening a FIFO would wait for a writer, and /dev/zero never ends.
        QTest::newRow("FIFO") << Place::Fifo << "it is not a regular file" << qsizetype(0);
        QTest::newRow("link to /dev/zero")
            << Place::LinkToDevZero << "it is not a regular file" << qsizetype(0);
        QTest::newRow("4 MiB") << Place::LargestFile << "" << qsizetype(kLargestHelpFile);
        QTest::newRow("4 MiB and one byte")
            << Place::OneByteTooMany << "it is larger than 4 MiB" << qsizetype(0);
        QTest::newRow("in a folder named in Latin-1")
            << Place::Regular << "" << qsizetype(kRegularHelp.size());
    }
    void readsOnlyASmallRegularFile() {
        QFETCH(Place, place);
        QFETCH(QString, problem);
        QFETCH(qsizetype, size);
        const rpn::ui::HelpFileContent content = ReadHelpFile(Make(place));
        QCOMPARE(QString::fromStdString(content.problem), problem);
        QCOMPARE(content.bytes.size(), size);
    }

    void viewerSaysWhyAFileIsNotShown() {
        const std::string path = Make(Place::Fifo);
        HelpViewer viewer(nullptr);
        viewer.ShowTopic(path, 0);
        QVERIFY(viewer.isVisible());
        QCOMPARE(viewer.browser()->toPlainText(),
                 QStringLiteral("The help file %1 cannot be opened: it is not a regular file.")
                     .arg(QFile::decodeName(path.c_str())));
    }

    void viewerShowsTheFileAtItsTopicFromABytePath() {
        const std::string path = Make(Place::Regular);
        HelpViewer viewer(nullptr);
        viewer.ShowTopic(path, 0);
        QCOMPARE(viewer.browser()->toPlainText(), QStringLiteral("Help"));
        QCOMPARE(viewer.browser()->source().fragment(), QStringLiteral("topic-0"));
        // Shown again after an edit, the file is read anew.
        WriteFile(path, "<p><a name=\"topic-0\">Edited</a></p>");
        viewer.ShowTopic(path, 0);
        QCOMPARE(viewer.browser()->toPlainText(), QStringLiteral("Edited"));
    }

    // What the page names is never read: images from a FIFO and /dev/zero, style sheets
    // from a FIFO, a link to a FIFO clicked. The window answers at once all the while.
    void viewerReadsNothingThePageNames() {
        const std::string path = Make(Place::Missing);
        // Named in plain text, so that the toolkit would find it.
        const QString fifo = dir_.filePath(QStringLiteral("fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QByteArray fifoUrl = QUrl::fromLocalFile(fifo).toEncoded();
        WriteFile(path, "<html><head><link rel=\"stylesheet\" href=\"" + fifoUrl +
                            "\"><style>@import url(" + fifoUrl +
                            ");</style></head><body><p><a name=\"topic-0\"></a>Help"
                            "<img src=\"" +
                            fifoUrl +
                            "\"><img src=\"/dev/zero\">"
                            "<a href=\"" +
                            fifoUrl + "\">link</a></p></body></html>");
        HelpViewer viewer(nullptr);
        viewer.ShowTopic(path, 0);
        ExpectAnswerWithinASecond();
        QCOMPARE(viewer.browser()->toPlainText().left(4), QStringLiteral("Help"));
        // What a click on the link asks the browser for.
        viewer.browser()->setSource(QUrl(QString::fromUtf8(fifoUrl)));
        ExpectAnswerWithinASecond();
        QCOMPARE(viewer.browser()->toPlainText().left(4), QStringLiteral("Help"));
        QFile::remove(fifo);
    }

    // The largest help file, one line of one word: all of it shown, the window answering.
    void viewerShowsTheLargestOneLinePage() {
        const std::string path = Make(Place::LargestFile);
        WriteFile(path, QByteArray(kLargestHelpFile, 'x'));
        HelpViewer viewer(nullptr);
        viewer.ShowTopic(path, 0);
        viewer.grab();
        ExpectAnswerWithinASecond();
        QCOMPARE(viewer.browser()->toPlainText().count(QLatin1Char('x')), kLargestHelpFile);
    }

  private:
    // The event loop takes a call within a second: the window is not frozen.
    static void ExpectAnswerWithinASecond() {
        bool answered = false;
        QTimer::singleShot(0, [&answered] { answered = true; });
        QTRY_VERIFY_WITH_TIMEOUT(answered, 1000);
    }
};

QTEST_MAIN(HelpFileTest)
#include "help_file_test.moc"
