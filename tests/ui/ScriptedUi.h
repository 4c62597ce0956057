// Window tests: the dialogs answer from queues instead of waiting for a
// click, windows "shown modally" are simply shown, and every message box is
// recorded. UiFixture builds the home window over a temporary program
// directory holding the data files, with the Qt platform installed.
#pragma once

#include <QAction>
#include <QDate>
#include <QDialog>
#include <QPrinter>
#include <QPushButton>
#include <QString>
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

    std::deque<MsgAnswer> answers;  // to Yes/No questions, in order; Yes when none is left
    std::vector<ShownBox> boxes;
    std::deque<QString> files;  // chosen in the file-open dialog; "" or none left: cancelled
    QString pdfPath;            // the printer chosen: a PDF file, unless cancelled
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
    std::optional<QString> OpenFileName(QWidget*, const QString&) override {
        const QString answer = files.empty() ? QString() : files.front();
        if (!files.empty()) files.pop_front();
        return answer.isEmpty() ? std::nullopt : std::optional<QString>(answer);
    }
    bool ChoosePrinter(QWidget*, QPrinter& printer) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return printerAccepted;
    }
    void ShowModal(QDialog& window) override {
        shown.push_back(&window);
        window.show();
    }
    void Quit() override { ++quits; }

    QStringList Titles() const {
        QStringList out;
        for (const auto& b : boxes)
            out << b.title;
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
        for (const auto& [key, value] : iniChanges) {
            std::string ini = ReadBytes(dir + "/parametres.ini");
            const auto at = ini.find(key + "=");
            if (at == std::string::npos) ini.insert(0, key + "=\r\n");
            const auto from = ini.find(key + "=") + key.size() + 1;
            WriteBytes(dir + "/parametres.ini",
                       ini.replace(from, ini.find_first_of("\r\n", from) - from, value));
        }
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
    UiFixture(const UiFixture&) = delete;
    UiFixture& operator=(const UiFixture&) = delete;

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

// The sample in the campaign of the previous year (which the home window
// accepts whichever entry is ticked), in as many dossiers as asked, each with
// its own declarant; with a date of a thirteenth month when asked.
inline std::string Sample(bool reject = false, int dossiers = 1) {
    Groups groups;
    groups.year = std::to_string(QDate::currentDate().year() - 1).substr(2);
    groups.Add("E0010=15000");
    std::vector<Segs> list;
    for (int d = 1; d <= dossiers; ++d)
        list.push_back(Dossier(d, groups, std::to_string(1750175123455 + d)));
    Segs segs = Envelope(list);
    for (std::string& s : segs)
        if (s.starts_with("DTM"))
            s = "DTM+137:20" + groups.year + (reject ? "1399" : "1215") + ":102";
    return FileText(segs);
}

}  // namespace trelvane::test
