// Window tests: the dialogs answer from queues instead of waiting for a
// click, windows "shown modally" are simply shown, and every message box is
// recorded. UiFixture builds the home window over a temporary program
// directory holding the data files, with the Qt platform installed.
#pragma once

#include <QAction>
#include <QDate>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QString>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <cstdio>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "QtPlatform.h"
#include "QtText.h"
#include "UiServices.h"
#include "frmAccueil.h"
#include "support/Samples.h"

namespace trelvane::test {

struct ShownBox {
    QString title;
    QString text;
    MsgButtons buttons;
};

class ScriptedUi final : public ui::UiServices {
  public:
    ScriptedUi() { ui::SetUiServices(this); }
    ~ScriptedUi() override { ui::SetUiServices(nullptr); }
    ScriptedUi(const ScriptedUi&) = delete;
    ScriptedUi& operator=(const ScriptedUi&) = delete;

    // Answers to Yes/No questions in order; Yes when empty.
    std::deque<MsgAnswer> answers;
    std::vector<ShownBox> boxes;
    // Answers of the file-open dialog in order; an empty text or an empty
    // queue is a cancel.
    std::deque<QString> files;
    std::vector<QString> fileFilters;
    std::vector<QString> fileFolders;
    // Folder of the last file written, as the box offers to open it.
    QString writtenFolder;
    // The printer the print dialog chooses: a PDF file, or a cancel.
    QString pdfPath;
    bool printerAccepted = true;
    std::vector<QDialog*> shown;
    int quits = 0;

    MsgAnswer Message(QWidget*, const QString& title, const QString& text, MsgIcon,
                      MsgButtons buttons) override {
        boxes.push_back({title, text, buttons});
        if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
        if (answers.empty()) return MsgAnswer::Yes;
        const MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    void FileWritten(QWidget* parent, const QString& title, const QString& text,
                     const QString& folder) override {
        writtenFolder = folder;
        Message(parent, title, text, MsgIcon::Information, MsgButtons::Ok);
    }
    std::optional<QString> OpenFileName(QWidget*, const QString& filter,
                                        const QString& folder) override {
        fileFilters.push_back(filter);
        fileFolders.push_back(folder);
        if (files.empty()) return std::nullopt;
        const QString answer = files.front();
        files.pop_front();
        if (answer.isEmpty()) return std::nullopt;
        return answer;
    }
    bool ChoosePrinter(QWidget*, QPrinter& printer) override {
        if (!printerAccepted) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return true;
    }
    void ShowModal(QDialog& window) override {
        shown.push_back(&window);
        window.show();
    }
    void Quit() override { ++quits; }

    QStringList Titles() const { return Of(&ShownBox::title); }
    QStringList Texts() const { return Of(&ShownBox::text); }
    QStringList Of(QString ShownBox::*field) const {
        QStringList out;
        for (const auto& b : boxes)
            out << b.*field;
        return out;
    }
};

inline QString Q(const std::string& path) {
    return QString::fromStdString(path);
}

using IniChanges = std::vector<std::pair<std::string, std::string>>;

struct UiFixture {
    // iniChanges: key/value pairs written into the copied parametres.ini
    // before the window loads.
    explicit UiFixture(const IniChanges& iniChanges = {}) : dir(MakeTempDir()) {
        CopyDataFiles(dir);
        // The first line that gives a key is the one read.
        for (const auto& [k, v] : iniChanges)
            WriteBytes(dir + "/parametres.ini",
                       k + "=" + v + "\r\n" + ReadBytes(dir + "/parametres.ini"));
        home = std::make_unique<frmAccueil>();
        platform = std::make_unique<ui::QtPlatform>(*home, Q(dir));
        SetPlatform(platform.get());
        home->Load();
    }
    ~UiFixture() {
        home.reset();
        SetPlatform(nullptr);
        RemoveTree(dir);
    }

    template <class T>
    T* Find(QObject* in, const char* name) const {
        return in->findChild<T*>(QString::fromLatin1(name));
    }
    template <class T>
    T* Home(const char* name) const {
        return Find<T>(home.get(), name);
    }
    QAction* Menu(const char* name) const { return Home<QAction>(name); }
    void Click(const char* name) const { Home<QPushButton>(name)->click(); }
    // Which of Tester, Visualiser and Résultat are enabled: "TVR", "-" for a disabled one.
    QString Buttons() const {
        QString out;
        for (const char* name : {"cmdTester", "cmdVisualiser", "cmdResultat"})
            out += Home<QPushButton>(name)->isEnabled() ? QLatin1Char(name[3]) : QLatin1Char('-');
        return out;
    }

    std::string Write(const std::string& name, std::string_view bytes) const {
        const std::string path = dir + "/" + name;
        WriteBytes(path, bytes);
        return path;
    }

    ScriptedUi ui;
    std::string dir;
    std::unique_ptr<frmAccueil> home;
    std::unique_ptr<ui::QtPlatform> platform;
};

// The shared sample's interchange, its dates moved to the previous year: the
// home window accepts that campaign whichever entry is ticked.
inline std::string LastYear(const Segs& segs) {
    std::string text = FileText(segs);
    const std::string yyyy = std::to_string(QDate::currentDate().year() - 1), yy = yyyy.substr(2);
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"20251215", yyyy + "1215"},
                                   {"+251215:", "+" + yy + "1215:"},
                                   {"KTVECE  25", "KTVECE  " + yy}})
        for (auto at = text.find(from); at != std::string::npos;
             at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
    return text;
}

// The sample in as many dossiers as asked, each with its number and, when
// more than one, its NIR (2000000000001...); its first date in a thirteenth
// month when asked.
inline std::string Sample(bool reject = false, int dossiers = 1) {
    std::vector<Segs> list;
    for (int i = 1; i <= dossiers; ++i) {
        char nir[16];
        std::snprintf(nir, sizeof nir, "2%012d", i);
        list.push_back(Dossier(i, Groups("E0010=15000 E0055=15000"), dossiers == 1 ? kNir : nir));
    }
    std::string text = LastYear(Envelope(list));
    return reject ? text.replace(text.find("1215:102"), 4, "1399") : text;
}

// The sample's dossier with count detail groups, each declaring amount.
inline std::string AmountGroups(int count, const std::string& amount) {
    Groups groups;
    for (int k = 1; k <= count; ++k)
        groups.Add("KTVECE", 0, "0010", "MOA", {"MOA+203:" + amount});
    return LastYear(Envelope({Dossier(1, groups)}));
}

}  // namespace trelvane::test
