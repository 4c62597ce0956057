// Installed where an ordinary user cannot write, the program keeps the
// user's files (logs, CR files, FNS3 files) in the user's own data folder and
// says where it put them.
#include <sys/stat.h>
#include <unistd.h>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

#include "ScriptedUi.h"
#include "frmTests.h"

using namespace trelvane;
using namespace trelvane::test;

namespace {

// The directory made read-only for as long as it lives; even the
// administrator cannot write an immutable one.
class ReadOnly {
  public:
    explicit ReadOnly(const std::string& dir) : dir_(dir) {
        ::chmod(dir_.c_str(), 0555);
        if (::access(dir_.c_str(), W_OK) == 0) immutable_ = Chattr("+i");
    }
    ~ReadOnly() {
        if (immutable_) Chattr("-i");
        ::chmod(dir_.c_str(), 0755);
    }
    bool Holds() const { return ::access(dir_.c_str(), W_OK) != 0; }

  private:
    bool Chattr(const char* flag) const {
        return QProcess::execute(QStringLiteral("chattr"), {QString::fromLatin1(flag), Q(dir_)}) ==
               0;
    }
    std::string dir_;
    bool immutable_ = false;
};

}  // namespace

class OutputFolderTest : public QObject {
    Q_OBJECT
  private slots:
    void readOnlyProgramDirectoryWritesInTheUserFolder();
};

void OutputFolderTest::readOnlyProgramDirectoryWritesInTheUserFolder() {
    QStandardPaths::setTestModeEnabled(true);
    const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir(own).removeRecursively();
    UiFixture f;
    const std::string file = f.Write("rejet.edi", Sample(true));
    ReadOnly readOnly(f.dir);
    if (!readOnly.Holds()) QSKIP("no way to make a directory read-only here");

    f.Menu("mnuOpTrace")->trigger();
    f.Home<QLineEdit>("txtFichier")->setText(Q(file));
    f.Home<QPushButton>("cmdTester")->click();
    f.Find<QPushButton>(&f.home->Tests(), "cmdConvertir")->click();

    // One box: the CR file's full path in the user's folder, which it
    // offers to open; the trace went there too, without a box.
    const QString folder = own + QStringLiteral("/CR_Erreurs");
    const QStringList written = QDir(folder).entryList(QDir::Files);
    QCOMPARE(written.size(), 1);
    QCOMPARE(f.ui.Titles(), QStringList{QStringLiteral("Conversion impossible")});
    QVERIFY(f.ui.Texts()[0].endsWith(QLatin1Char('\n') + folder + QLatin1Char('/') + written[0]));
    QCOMPARE(f.ui.writtenFolder, folder);
    QCOMPARE(QDir(own + QStringLiteral("/logs")).entryList(QDir::Files).size(), 1);
    QDir(own).removeRecursively();
}

QTEST_MAIN(OutputFolderTest)
#include "test_output_folder_posix.moc"
