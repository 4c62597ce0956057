// Window tests: the dialogs answer from queues instead of waiting for a
// click, windows "shown modally" are simply shown, and every message box is
// recorded. UiFixture builds the home window over a temporary program
// directory holding the data files, with the Qt platform installed.
#pragma once

#include <QAction>
#include <QDialog>
#include <QPrinter>
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
#include "support/TestFiles.h"

namespace trelvane::test {

struct ShownBox {
    QString title;
    QString text;
    MsgIcon icon;
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
    // The printer the print dialog chooses: a PDF file, or a cancel.
    QString pdfPath;
    bool printerAccepted = true;
    int printerRequests = 0;
    std::vector<QDialog*> shown;
    int quits = 0;

    MsgAnswer Message(QWidget*, const QString& title, const QString& text, MsgIcon icon,
                      MsgButtons buttons) override {
        boxes.push_back({title, text, icon, buttons});
        if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
        if (answers.empty()) return MsgAnswer::Yes;
        const MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<QString> OpenFileName(QWidget*, const QString& filter) override {
        fileFilters.push_back(filter);
        if (files.empty()) return std::nullopt;
        const QString answer = files.front();
        files.pop_front();
        if (answer.isEmpty()) return std::nullopt;
        return answer;
    }
    bool ChoosePrinter(QWidget*, QPrinter& printer) override {
        ++printerRequests;
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

inline void SetIniValue(const std::string& dir, const std::string& key, const std::string& value) {
    const std::string path = dir + "/parametres.ini";
    std::string ini = ReadBytes(path);
    const std::string prefix = key + "=";
    const auto at = ini.find(prefix);
    if (at == std::string::npos) {
        ini = prefix + value + "\r\n" + ini;
    } else {
        const auto end = ini.find_first_of("\r\n", at);
        ini.replace(at, end - at, prefix + value);
    }
    WriteBytes(path, ini);
}

using IniChanges = std::vector<std::pair<std::string, std::string>>;

struct UiFixture {
    // iniChanges: key/value pairs written into the copied parametres.ini
    // before the window loads.
    explicit UiFixture(const IniChanges& iniChanges = {}) : dir(MakeTempDir()) {
        CopyDataFiles(dir);
        for (const auto& [k, v] : iniChanges)
            SetIniValue(dir, k, v);
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

// The sample interchange, its dates moved to the campaign year of the home
// window (the current year) so the checks that compare years agree.
inline std::string SampleFor(int year) {
    std::string text = ReadBytes(std::string(TRELVANE_SAMPLES_DIR) + "/valide.edi");
    const std::string yyyy = std::to_string(year);
    const std::string yy = yyyy.substr(2);
    auto replaceAll = [&text](const std::string& from, const std::string& to) {
        for (auto at = text.find(from); at != std::string::npos;
             at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
    };
    replaceAll("20251215", yyyy + "1215");
    replaceAll("+251215:", "+" + yy + "1215:");
    replaceAll("KTVECE  25", "KTVECE  " + yy);
    return text;
}

}  // namespace trelvane::test
