#include "common/preference_store.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

namespace veld {

namespace {

constexpr std::string_view kSignature = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

std::string_view trimBlanks(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && isBlank(s[b])) ++b;
  while (e > b && isBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

// Calls sink(kind, name, value) for the entry of one line, if it gives one; the views point into
// the line.
template <typename Sink>
void parseLine(std::string_view line, Sink&& sink) {
  std::size_t i = 0;
  while (i < line.size() && isBlank(line[i])) ++i;
  if (i == line.size()) return;
  line.remove_prefix(i);
  if (line[0] == ';') {
    std::string_view text = line.substr(1);
    if (!text.empty() && text[0] == ' ') text.remove_prefix(1);
    sink(PreferenceEntry::Kind::Comment, text, std::string_view());
  } else if (line[0] == '[') {
    std::string_view name = line.substr(1);
    name = name.substr(0, name.find(']'));
    sink(PreferenceEntry::Kind::Group, name, std::string_view());
  } else {
    const std::size_t eq = line.find('=');
    std::string_view key = line.substr(0, eq);
    while (!key.empty() && isBlank(key.back())) key.remove_suffix(1);
    std::string_view value;
    if (eq != std::string_view::npos) {
      value = line.substr(eq + 1);
      while (!value.empty() && isBlank(value.front())) value.remove_prefix(1);
    }
    sink(PreferenceEntry::Kind::Key, key, value);
  }
}

template <typename Sink>
void parseText(std::string_view text, Sink&& sink) {
  const char* const begin = text.data();
  const std::size_t n = text.size();
  // The next CR and the next LF are each searched again only once the scan has passed them, so a
  // text is scanned in linear time with fast searches, however long its lines.
  auto find = [&](char c, std::size_t from) {
    const void* hit = from < n ? std::memchr(begin + from, c, n - from) : nullptr;
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - begin) : n;
  };
  std::size_t nextCr = find('\r', 0);
  std::size_t nextLf = find('\n', 0);
  std::size_t i = 0;
  while (i < n) {
    while (i < n && isLineBreak(begin[i])) ++i;
    if (i == n) break;
    if (nextCr < i) nextCr = find('\r', i);
    if (nextLf < i) nextLf = find('\n', i);
    const std::size_t end = std::min(nextCr, nextLf);
    parseLine(text.substr(i, end - i), sink);
    i = end;
  }
}

void appendEntry(std::string& text, PreferenceEntry::Kind kind, std::string_view name, std::string_view value) {
  switch (kind) {
    case PreferenceEntry::Kind::Group:
      text += '[';
      text += name;
      text += ']';
      break;
    case PreferenceEntry::Kind::Comment:
      text += "; ";
      text += name;
      break;
    case PreferenceEntry::Kind::Key:
      text += name;
      text += " = ";
      text += value;
      break;
  }
  text += kLineEnd;
}

template <typename List>
std::string buildText(const List& entries, bool utf8Form) {
  std::size_t size = utf8Form ? kSignature.size() + kLineEnd.size() : 0;
  for (const auto& e : entries) size += e.name.size() + e.value.size() + 5;
  std::string text;
  text.reserve(size);
  if (utf8Form) {
    text += kSignature;
    text += kLineEnd;
  }
  for (const auto& e : entries) appendEntry(text, e.kind, e.name, e.value);
  return text;
}

// Decimal reading: leading white space, an optional sign, then digits up to the first other
// character. Out-of-range values saturate rather than wrap.
std::int32_t parseDecimal(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  std::int64_t v = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    v = v * 10 + (s[i] - '0');
    if (v > 2147483648LL) v = 2147483648LL;  // enough to saturate either sign
  }
  if (negative) v = -v;
  if (v > 2147483647LL) v = 2147483647LL;
  return static_cast<std::int32_t>(v);
}

}  // namespace

PreferenceEntries parsePreferenceText(std::string_view text) {
  PreferenceEntries entries;
  parseText(text, [&](PreferenceEntry::Kind kind, std::string_view name, std::string_view value) {
    entries.push_back({kind, std::string(name), std::string(value)});
  });
  return entries;
}

std::string buildPreferenceText(const PreferenceEntries& entries, bool utf8Form) {
  return buildText(entries, utf8Form);
}

bool preferenceNamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  }
  return true;
}

PreferenceStore::PreferenceStore(Encoding programText)
    : programText_(programText), ownedFiles_(makeSystemFileAccess(programText)), files_(*ownedFiles_) {
  reset();
}

PreferenceStore::PreferenceStore(Encoding programText, FileAccess& files)
    : programText_(programText), files_(files) {
  reset();
}

PreferenceStore::~PreferenceStore() { closePreferences(); }

void PreferenceStore::reset() {
  holding_ = Holding::Nothing;
  path_.clear();
  file_.reset();
  readOnly_ = false;
  utf8Form_ = false;
  changed_ = false;
  entries_.clear();
  std::string().swap(text_);
  current_ = entries_.end();
  lastWritten_ = entries_.end();
  pending_.reset();
}

// Only the single-byte programs convert, and only for files in UTF-8 form; the viewer holds UTF-8.
bool PreferenceStore::converts() const { return programText_ == Encoding::Ansi && utf8Form_; }

std::string PreferenceStore::toStore(std::string_view text) const {
  return converts() ? latin1ToUtf8(text) : std::string(text);
}

std::string PreferenceStore::fromStore(std::string_view text) const {
  return converts() ? utf8ToSingleByte(text) : std::string(text);
}

bool PreferenceStore::openPreferences(const std::string& path) {
  closePreferences();

  // Others may read the file while we hold it; writing it is theirs only when we could not get it
  // any other way.
  OpenStatus status = OpenStatus::Missing;
  bool readOnly = false;
  std::unique_ptr<HeldFile> file = files_.openExisting(path, true, OthersMay::Read, status);
  if (!file && status != OpenStatus::Missing) {
    readOnly = true;
    file = files_.openExisting(path, false, OthersMay::Read, status);
    if (!file && status != OpenStatus::Missing) file = files_.openExisting(path, false, OthersMay::ReadWrite, status);
  }

  std::string bytes;
  if (file && file->readAll(bytes)) {
    try {
      bool utf8Form = false;
      std::size_t skip = 0;
      if (std::string_view(bytes).substr(0, kSignature.size()) == kSignature) {
        utf8Form = true;
        skip = kSignature.size();
      }
      if (programText_ == Encoding::Utf8 && !utf8Form && !bytes.empty()) {
        // Only bytes 0x80-0xFF change; plain ASCII needs no copy.
        if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; })) {
          bytes = latin1ToUtf8(bytes);
        }
        utf8Form = true;
      }
      text_ = std::move(bytes);
      parseText(std::string_view(text_).substr(skip),
                [&](PreferenceEntry::Kind kind, std::string_view name, std::string_view value) {
                  entries_.push_back({kind, name, value, {}, {}});
                });
      holding_ = Holding::File;
      path_ = path;
      file_ = std::move(file);
      readOnly_ = readOnly;
      utf8Form_ = utf8Form;
      current_ = entries_.end();
      lastWritten_ = entries_.end();
      return true;
    } catch (const std::bad_alloc&) {
      reset();
    }
  }

  // Not opened. A missing file is created at close when something was written. A file that exists
  // but could not be opened or read in full is never written over: the store works in memory and
  // discards its changes, so that the real contents are not replaced by a nearly empty file.
  std::string().swap(bytes);
  file.reset();
  holding_ = Holding::Path;
  path_ = path;
  readOnly_ = status != OpenStatus::Missing;
  utf8Form_ = programText_ == Encoding::Utf8;
  return false;
}

bool PreferenceStore::selectGroup(const std::string& name) {
  if (holding_ == Holding::Nothing) return false;
  pending_.reset();
  if (name.empty()) {
    current_ = entries_.end();
    lastWritten_ = entries_.end();
    return true;
  }
  const std::string wanted = toStore(name);
  for (Iterator it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->kind == PreferenceEntry::Kind::Group && preferenceNamesEqual(it->name, wanted)) {
      current_ = it;
      lastWritten_ = it;
      return true;
    }
  }
  pending_ = wanted;
  return false;
}

PreferenceStore::Iterator PreferenceStore::groupStart() {
  return current_ == entries_.end() ? entries_.begin() : std::next(current_);
}

PreferenceStore::Iterator PreferenceStore::nextGroupFrom(Iterator from) {
  while (from != entries_.end() && from->kind != PreferenceEntry::Kind::Group) ++from;
  return from;
}

PreferenceStore::Iterator PreferenceStore::findKey(std::string_view storedKey) {
  for (Iterator it = groupStart(); it != entries_.end() && it->kind != PreferenceEntry::Kind::Group; ++it) {
    if (it->kind == PreferenceEntry::Kind::Key && preferenceNamesEqual(it->name, storedKey)) return it;
  }
  return entries_.end();
}

std::string PreferenceStore::readString(const std::string& key, const std::string& defaultText) {
  if (holding_ == Holding::Nothing || pending_) return defaultText;
  const Iterator it = findKey(toStore(key));
  if (it == entries_.end()) return defaultText;
  return fromStore(trimBlanks(it->value));
}

std::int32_t PreferenceStore::readInteger(const std::string& key, std::int32_t defaultValue) {
  if (holding_ == Holding::Nothing || pending_) return defaultValue;
  const Iterator it = findKey(toStore(key));
  if (it == entries_.end()) return defaultValue;
  return parseDecimal(it->value);
}

void PreferenceStore::createPendingGroup() {
  if (!pending_) return;
  entries_.push_back({PreferenceEntry::Kind::Group, {}, {}, {}, {}});
  entries_.back().setName(std::move(*pending_));
  pending_.reset();
  current_ = std::prev(entries_.end());
  lastWritten_ = current_;
}

void PreferenceStore::writeString(const std::string& key, const std::string& value) {
  if (holding_ == Holding::Nothing) return;
  createPendingGroup();
  std::string storedKey = toStore(key);
  Iterator it = findKey(storedKey);
  if (it == entries_.end()) {
    // After the last key or comment of the current group: just before the next group header.
    it = entries_.insert(nextGroupFrom(groupStart()), {PreferenceEntry::Kind::Key, {}, {}, {}, {}});
  }
  it->setName(std::move(storedKey));
  it->setValue(toStore(value));
  lastWritten_ = it;
  changed_ = true;
}

void PreferenceStore::writeInteger(const std::string& key, std::int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
  writeString(key, text);
}

void PreferenceStore::writeComment(const std::string& text) {
  if (holding_ == Holding::Nothing) return;
  createPendingGroup();
  const Iterator at = lastWritten_ == entries_.end() ? entries_.begin() : std::next(lastWritten_);
  lastWritten_ = entries_.insert(at, {PreferenceEntry::Kind::Comment, {}, {}, {}, {}});
  lastWritten_->setName(toStore(text));
  changed_ = true;
}

void PreferenceStore::removeGroup(const std::string& name) {
  if (holding_ == Holding::Nothing) return;
  Iterator group = entries_.begin();
  while (group != entries_.end() &&
         !(group->kind == PreferenceEntry::Kind::Group && preferenceNamesEqual(group->name, name))) {
    ++group;
  }
  if (group == entries_.end()) return;
  const Iterator end = nextGroupFrom(std::next(group));
  for (Iterator it = group; it != end;) {
    if (it == current_) current_ = entries_.end();
    if (it == lastWritten_) lastWritten_ = entries_.end();
    it = entries_.erase(it);
  }
  changed_ = true;
}

bool PreferenceStore::examineGroups() {
  if (holding_ == Holding::Nothing) return false;
  pending_.reset();
  current_ = entries_.end();
  lastWritten_ = entries_.end();
  return true;
}

bool PreferenceStore::nextGroup() {
  if (holding_ == Holding::Nothing) return false;
  const Iterator next = nextGroupFrom(groupStart());
  if (next == entries_.end()) return false;
  current_ = next;
  return true;
}

std::string PreferenceStore::groupName() const {
  if (holding_ == Holding::Nothing || current_ == entries_.cend()) return {};
  return fromStore(current_->name);
}

void PreferenceStore::closePreferences() {
  if (holding_ == Holding::Nothing) return;
  if (changed_ && !readOnly_) {
    // Failures are silent by design: the old file stays whole and the changes are lost.
    try {
      const std::string text = buildText(entries_, utf8Form_);
      files_.replaceWhole(path_, text, file_);
    } catch (const std::bad_alloc&) {
    }
  }
  reset();
}

}  // namespace veld
