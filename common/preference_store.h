// PreferenceStore: the INI-like files shared with the PureBasic IDE (Tools.prefs, the IDE's own
// preference file) and the viewer's settings file.
//
// The whole file is read at opening, edited in memory as an ordered list of entries, and written
// back in one piece at closing when anything changed. Writing back normalises the file (one entry
// per line, CR LF, "key = value", "; comment", "[group]"); a file that was not changed is never
// touched. The write goes to a new file beside the target, which then replaces the target in one
// step: when writing fails the old file stays whole.
//
// One store per program; it holds at most one file. It never throws and never reports errors beyond
// the results below.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/files.h"
#include "common/text.h"

namespace veld {

struct PreferenceEntry {
  enum class Kind { Group, Comment, Key };
  Kind kind;
  std::string name;   // group name, comment text or key name
  std::string value;  // key value (empty for groups and comments)

  bool operator==(const PreferenceEntry& other) const {
    return kind == other.kind && name == other.name && value == other.value;
  }
};

using PreferenceEntries = std::list<PreferenceEntry>;

// The entries of a preference text (without its signature), by the reading rules: lines end at any
// run of CR and LF; leading blanks are skipped; ";" starts a comment (one space after it dropped),
// "[" a group (name up to the first "]"), anything else a key (up to the first "=", trailing blanks
// dropped; the value after it, leading blanks dropped, trailing blanks kept). Blank lines give nothing.
PreferenceEntries parsePreferenceText(std::string_view text);

// The normalised text of the entries, each followed by CR LF; in UTF-8 form it begins with the
// signature EF BB BF and an empty line.
std::string buildPreferenceText(const PreferenceEntries& entries, bool utf8Form);

// ASCII-only case-insensitive equality of names: only A-Z and a-z pair up, every other byte must be
// equal.
bool preferenceNamesEqual(std::string_view a, std::string_view b);

// An entry as the store holds it: name and value refer to the text as it was read, or to the
// entry's own storage once written. List nodes never move, so the views stay valid.
struct StoredPreferenceEntry {
  PreferenceEntry::Kind kind;
  std::string_view name;
  std::string_view value;
  std::string ownName;
  std::string ownValue;

  void setName(std::string text) {
    ownName = std::move(text);
    name = ownName;
  }
  void setValue(std::string text) {
    ownValue = std::move(text);
    value = ownValue;
  }
};

class PreferenceStore {
 public:
  // programText: Encoding::Ansi for the builder and the installer (texts are single bytes; a file in
  // UTF-8 form is converted by the ISO 8859-1 rules), Encoding::Utf8 for the viewer (texts are UTF-8;
  // a file without signature is read as ISO 8859-1 and written back in UTF-8 form).
  // The first form uses the system's files with paths in the program's encoding.
  explicit PreferenceStore(Encoding programText);
  PreferenceStore(Encoding programText, FileAccess& files);
  ~PreferenceStore();  // closes, writing the file when it was changed
  PreferenceStore(const PreferenceStore&) = delete;
  PreferenceStore& operator=(const PreferenceStore&) = delete;

  // Closes the held file (writing it when changed), then opens and reads the file at `path`. True when
  // it was opened, also for reading only (changes are then discarded at close) and when empty. False
  // when it cannot be opened: the store then starts empty, and a file that was missing is created at
  // close when something was written.
  bool openPreferences(const std::string& path);

  // Makes the group current (the empty name is the area before the first group). False when no such
  // group exists: the name becomes pending, reads give their defaults, and the next write creates it
  // at the end of the file.
  bool selectGroup(const std::string& name);

  // The key's value in the current group without surrounding blanks; the default, untouched, when the
  // key is missing.
  std::string readString(const std::string& key, const std::string& defaultText);

  // The key's value as a decimal integer (leading white space, an optional sign, digits up to the
  // first other character; no digits give 0; values beyond the 32-bit range saturate). The default
  // when the key is missing.
  std::int32_t readInteger(const std::string& key, std::int32_t defaultValue);

  // Sets the key in the current group (creating a pending group first); the stored key takes the
  // letter case of this call. A new key goes after the last entry of the current group.
  void writeString(const std::string& key, const std::string& value);
  void writeInteger(const std::string& key, std::int32_t value);  // "%d"

  // Inserts a comment after the entry last written or selected (first in the file when none).
  void writeComment(const std::string& text);

  // Removes the first group of that name with all its keys and comments. The name is compared as
  // given, without conversion.
  void removeGroup(const std::string& name);

  // Restarts the enumeration of groups; nextGroup then makes each group current in file order.
  bool examineGroups();
  bool nextGroup();

  // Name of the current group; empty for the area before the first group.
  std::string groupName() const;

  // Writes the file when it was changed (unless it could only be opened for reading), then releases
  // everything.
  void closePreferences();

 private:
  using Entries = std::list<StoredPreferenceEntry>;
  using Iterator = Entries::iterator;
  enum class Holding { Nothing, File, Path };

  bool converts() const;
  std::string toStore(std::string_view text) const;
  std::string fromStore(std::string_view text) const;
  void createPendingGroup();
  Iterator groupStart();                 // first entry after the current group header
  Iterator nextGroupFrom(Iterator from);  // first group entry at or after `from`
  Iterator findKey(std::string_view storedKey);
  void reset();

  Encoding programText_;
  std::unique_ptr<FileAccess> ownedFiles_;
  FileAccess& files_;

  Holding holding_ = Holding::Nothing;
  std::string path_;
  std::unique_ptr<HeldFile> file_;
  bool readOnly_ = false;  // changes are discarded at close
  bool utf8Form_ = false;
  bool changed_ = false;
  std::string text_;  // the text as read, which unchanged entries refer to
  Entries entries_;
  Iterator current_;      // entries_.end() for the area before the first group
  Iterator lastWritten_;  // entries_.end() for none
  std::optional<std::string> pending_;  // as stored
};

}  // namespace veld
