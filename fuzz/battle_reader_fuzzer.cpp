// Feeds arbitrary bytes to the battle file reader. Whatever reads must save safely: when the
// safe save accepts a battle, its bytes read back and render to the very same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "battle/battle_config.h"
#include "battle/battle_file_reader.h"
#include "battle/recording_reporter.h"
#include "battle/text_line_file.h"
#include "content/battle_file_writer.h"
#include "content/safe_save.h"

namespace {

bool ReadBytes(const std::string& bytes, vk7::BattleConfig& config, bool skipRemarks) {
  vk7::RecordingReporter reporter;
  vk7::BattleFileReader reader(config, reporter);
  vk7::TextLineFile source;
  source.OpenMemory(bytes);
  const bool ok = reader.ReadFrom("fuzz", source, skipRemarks);
  // Exactly one error on failure, none on success.
  int errors = 0;
  for (const auto& entry : reporter.Entries()) errors += entry.error ? 1 : 0;
  if (errors != (ok ? 0 : 1)) std::abort();
  return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  vk7::BattleConfig config;
  if (!ReadBytes(input, config, (size & 1) != 0)) return 0;

  vk7::RecordingReporter quiet;
  const std::optional<std::string> saved = vk7::SafeSave::Prepare(config, "fuzz", quiet);
  if (!saved) return 0;
  vk7::BattleConfig back;
  if (!ReadBytes(*saved, back, (size & 1) != 0)) std::abort();
  if (vk7::BattleFileWriter::Render(back).bytes != *saved) std::abort();
  return 0;
}
