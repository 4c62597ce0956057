#include "support/TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "config/Cp1252.h"

namespace fs = std::filesystem;

namespace trelvane::test {

fs::path FsPath(const std::string& path) {
#if defined(_WIN32)
    return fs::path(std::u8string(path.begin(), path.end()));
#else
    return fs::path(path);
#endif
}

std::string MakeTempDir() {
    std::mt19937_64 random{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path dir =
            fs::temp_directory_path() / ("trelvane-test-" + std::to_string(random() % 1000000000));
        std::error_code ec;
        if (fs::create_directory(dir, ec)) {
            const std::u8string utf8 = dir.u8string();
            return std::string(utf8.begin(), utf8.end());
        }
    }
    throw std::runtime_error("no temporary directory");
}

void RemoveTree(const std::string& path) {
    std::error_code ec;
    // Tests may leave read-only directories behind; give write access back first.
    for (auto it = fs::recursive_directory_iterator(FsPath(path), ec); !ec && it != fs::end(it);
         it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::permissions(FsPath(path), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(FsPath(path), ec);
}

void CopyDataFiles(const std::string& dir) {
    for (const char* name : {"parametres.ini", "tbl_data_format.txt", "tbl_code_erreur_libelle.txt",
                             "tbl_code_segment.txt"}) {
        fs::copy_file(fs::path(TRELVANE_DATA_DIR) / name, FsPath(dir) / name,
                      fs::copy_options::overwrite_existing);
    }
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(FsPath(path), std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Interchange(const std::vector<std::string>& segments) {
    std::string out;
    for (const auto& s : segments) {
        out += s;
        out += '\'';
    }
    return out;
}

std::string W(std::string_view utf8) {
    return Utf8ToCp1252(utf8);
}
std::string U(std::string_view cp1252) {
    return Cp1252ToUtf8(cp1252);
}

int RunCommand(const std::string& command) {
    const int status = std::system(command.c_str());
#ifdef _WIN32
    return status;
#else
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

}  // namespace trelvane::test
