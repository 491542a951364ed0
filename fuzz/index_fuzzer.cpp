// Feeds arbitrary bytes to the battle index reader and its list operations.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "battle/recording_reporter.h"
#include "battle/text_line_file.h"
#include "content/battle_index.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  vk7::TextLineFile source;
  source.OpenMemory(input);
  vk7::BattleIndex index;
  vk7::RecordingReporter reporter;
  // Pretend every other name has a battle file.
  const bool ok = index.Read(
      source, [](const std::string& name) { return name.size() % 2 == 0; }, reporter);
  if (ok != reporter.Entries().empty()) std::abort();
  for (const std::string& entry : index.Entries()) {
    if (!vk7::BattleIndex::IsSafeName(entry) || entry.size() > 511) std::abort();
  }
  const std::size_t count = index.Entries().size();
  if (count > 0) {
    index.MoveDown(0);
    index.MoveUp(count - 1);
    const std::size_t current = index.RenameAt(count / 2, index.Entries().front());
    if (current >= index.Entries().size()) std::abort();
    index.RemoveAt(0);
  }
  if (index.Changed() != (count > 0)) std::abort();
  return 0;
}
