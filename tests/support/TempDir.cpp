#include "support/TempDir.h"

#include "platform/Paths.h"
#include "sim/PathForm.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace kivp::test {

fs::path nativePath(const std::string& path) { return fs::path(std::u8string(path.begin(), path.end())); }

std::string textOf(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

TempDir::TempDir() {
    std::random_device random;
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / ("kivp-test-" + std::to_string(random() % 100000000));
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) {
            m_path = textOf(candidate);
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    const fs::path root = nativePath(m_path);
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (!it->is_symlink())
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root, ec);
}

std::string TempDir::file(std::string_view name) const {
    std::string relative(name);
    std::replace(relative.begin(), relative.end(), '/', kPathSeparator);
    return joinPath(m_path, relative);
}

std::string TempDir::write(std::string_view name, std::string_view bytes) const {
    const std::string path = file(name);
    std::ofstream out(nativePath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
    return path;
}

std::string TempDir::mkdir(std::string_view name) const {
    const std::string path = file(name);
    fs::create_directories(nativePath(path));
    return path;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(nativePath(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(nativePath(path), ec));
}

std::vector<std::string> entries(const std::string& dir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(nativePath(dir), ec))
        names.push_back(textOf(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

void chmodPath(const std::string& path, unsigned mode) {
    std::error_code ec;
    fs::permissions(nativePath(path), static_cast<fs::perms>(mode), ec);
}

std::string simulatorFolder(const std::string& folder) { return PathForm{}.folderWithSeparator(folder); }

std::string crlf(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (auto line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace kivp::test
