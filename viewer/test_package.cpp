#include "viewer/test_package.h"

#include <zip.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace veld::testpkg {

namespace fs = std::filesystem;

bool writeZip(const std::string& path, const std::vector<Entry>& entries) {
  int error = 0;
  zip_t* z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (z == nullptr) return false;
  for (const Entry& e : entries) {
    // The entries outlive zip_close, so libzip may read the bytes in place.
    zip_source_t* src = zip_source_buffer(z, e.data.data(), e.data.size(), 0);
    const zip_int64_t index = src == nullptr ? -1 : zip_file_add(z, e.name.c_str(), src, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
      if (src != nullptr) zip_source_free(src);
      zip_discard(z);
      return false;
    }
    if (e.stored) zip_set_file_compression(z, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  }
  return zip_close(z) == 0;
}

std::string page(const std::string& title, const std::string& text) {
  std::string p = "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\"><HTML>\r\n"
                  "<BODY BGCOLOR=\"#FFFFDF\" LINK=\"#009999\" VLINK=\"#006666\" ALINK=\"#006666\">\r\n"
                  "<FONT FACE=\"Arial\" size=\"2\"><P ALIGN=\"CENTER\"><B><FONT size=\"4\">" +
                  title + "</FONT></B>\r\n";
  if (!text.empty()) p += "<HR>\r\n" + text + "\r\n";
  p += "</BODY></HTML>\r\n";
  return p;
}

std::string indexText(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

std::vector<Entry> packageEntries(const std::vector<Topic>& topics) {
  std::vector<Entry> entries;
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < topics.size(); ++i) {
    const std::string& line = topics[i].indexLine;
    const std::size_t second = line.find(',', line.find(',') + 1);
    std::string title = second == std::string::npos ? std::string() : line.substr(second + 1);
    entries.push_back({std::to_string(i) + ".html", page(title, topics[i].text), false});
    lines.push_back(line);
  }
  entries.push_back({"index.txt", indexText(lines), false});
  return entries;
}

std::string readEntry(const std::string& zipPath, const std::string& entryName) {
  int error = 0;
  zip_t* z = zip_open(zipPath.c_str(), ZIP_RDONLY, &error);
  if (z == nullptr) return {};
  std::string out;
  zip_stat_t st;
  zip_file_t* f = zip_stat(z, entryName.c_str(), 0, &st) == 0 ? zip_fopen(z, entryName.c_str(), 0) : nullptr;
  if (f != nullptr) {
    out.resize(static_cast<std::size_t>(st.size));
    const zip_int64_t n = zip_fread(f, &out[0], out.size());
    out.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
    zip_fclose(f);
  }
  zip_discard(z);
  return out;
}

std::string readBytes(const std::string& path) {
  std::ifstream in(fs::u8path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(fs::u8path(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string freshFolder(const std::string& prefix) {
  std::random_device rd;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path dir = fs::temp_directory_path() / (prefix + "-" + std::to_string(rd()));
    std::error_code ec;
    if (fs::create_directory(dir, ec)) {
      std::string s = dir.u8string();
      s += static_cast<char>(fs::path::preferred_separator);
      return s;
    }
  }
  return {};
}

}  // namespace veld::testpkg
