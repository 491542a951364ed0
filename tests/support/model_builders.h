#pragma once

#include <string>
#include <vector>

#include "battle/battle_config.h"
#include "battle/recording_reporter.h"
#include "battle/text_line_file.h"

namespace vk7::test {

// A ship with its class up, and its own name when one is given.
inline ShipEntry Ship(const std::string& shipClass, const std::string& name = "") {
  return ShipEntry{shipClass, name, true, !name.empty()};
}

// A system with its name defined and nothing else.
inline StarSystem System(const std::string& name) {
  StarSystem system;
  system.name = name;
  system.nameDefined = true;
  return system;
}

// A dialog line with all its flags up.
inline DialogLine Line(const std::string& speaker, const std::string& text,
                       const std::string& voice = "") {
  return DialogLine{speaker, text, voice, true, true, true};
}

// A ship or system catalog read from `text`.
template <typename Catalog>
Catalog CatalogFrom(const std::string& text) {
  TextLineFile source;
  source.OpenMemory(text);
  Catalog catalog;
  catalog.Read(source);
  return catalog;
}

// Every message shown, as "error|title|text" or "message|title|text".
inline std::vector<std::string> Log(const RecordingReporter& reporter) {
  std::vector<std::string> log;
  for (const auto& e : reporter.Entries()) {
    log.push_back((e.error ? "error|" : "message|") + e.title + "|" + e.text);
  }
  return log;
}

}  // namespace vk7::test
