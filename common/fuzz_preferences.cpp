// Fuzzes the preference reader and the write-back: any bytes give a defined store, and the
// normalised text is a fixed point (reading it back and writing it again changes nothing).
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "common/memory_file_access.h"
#include "common/preference_store.h"

namespace {

using veld::Encoding;
using veld::PreferenceStore;

void check(bool ok) {
  if (!ok) std::abort();
}

using MemoryFiles = veld::test::MemoryFileAccess;

const std::string kSig = "\xEF\xBB\xBF";

bool hasSignature(const std::string& s) { return s.compare(0, 3, kSig) == 0; }

// Opens `input`, runs a few operations named by the input itself, writes a key in the head area
// and closes. Gives the bytes written.
std::string editOnce(Encoding program, const std::string& input, bool extraOperations) {
  MemoryFiles files;
  files.files["p"] = input;
  {
    PreferenceStore store(program, files);
    check(store.openPreferences("p"));
    if (extraOperations) {
      std::string first, second;
      if (store.examineGroups()) {
        int n = 0;
        while (store.nextGroup() && n < 8) {
          const std::string name = store.groupName();
          if (n == 0) first = name;
          if (n == 1) second = name;
          store.readString("Command", "");
          store.readInteger("ToolCount", 0);
          ++n;
        }
      }
      if (!first.empty() && store.selectGroup(first)) store.writeComment("seen");
      store.removeGroup(second);
      store.selectGroup("Fuzz group");
      store.writeInteger("n", -1);
    }
    store.selectGroup("");
    store.writeString("FuzzKey", "v");
    check(store.readString("fuzzkey", "") == "v");
  }
  check(files.replaces == 1);
  return files.files["p"];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);

  // Reading normalised text gives the same entries back.
  const veld::PreferenceEntries entries = veld::parsePreferenceText(input);
  const std::string built = veld::buildPreferenceText(entries, false);
  check(veld::parsePreferenceText(built) == entries);
  const std::string builtUtf8 = veld::buildPreferenceText(entries, true);
  check(builtUtf8.compare(0, 5, kSig + "\r\n") == 0 && builtUtf8.compare(5, std::string::npos, built) == 0);

  for (Encoding program : {Encoding::Ansi, Encoding::Utf8}) {
    // Untouched files stay untouched.
    {
      MemoryFiles files;
      files.files["p"] = input;
      PreferenceStore store(program, files);
      check(store.openPreferences("p"));
      store.selectGroup("Tool_1");
      store.readString("Command", "");
      store.removeGroup("no such group");
      store.closePreferences();
      check(files.replaces == 0 && files.files["p"] == input);
    }
    {
      const std::string once = editOnce(program, input, true);
      // The signature: kept by single-byte programs as it was; the viewer adds it to every file
      // that was not empty.
      const bool inputSigned = hasSignature(input);
      if (program == Encoding::Ansi) {
        // A single-byte file whose first entry begins with the bytes EF BB BF reads back in UTF-8
        // form: such text cannot be told from a signature. Nothing to compare then.
        if (!inputSigned && hasSignature(once)) continue;  // next program
        check(hasSignature(once) == inputSigned);
      } else {
        check(hasSignature(once) == (inputSigned || !input.empty()));
      }
      const std::string twice = editOnce(program, once, false);
      if (program == Encoding::Utf8 && !hasSignature(once)) {
        check(twice == kSig + "\r\n" + once);  // an empty file's first write: plain ASCII, no signature
      } else {
        check(twice == once);
      }
    }
  }
  return 0;
}
