#include "journal_events.h"

#include <sstream>

namespace vitrel::test_support {

std::vector<rapidjson::Document> JournalEvents(const std::string& journal, std::string_view name) {
  std::vector<rapidjson::Document> events;
  std::istringstream lines(journal);
  for (std::string line; std::getline(lines, line);) {
    rapidjson::Document event;
    event.Parse(line.c_str());
    if (event.HasParseError() || !event.IsObject() || !event.HasMember("event")) continue;
    if (name.empty() || event["event"].GetString() == name) events.push_back(std::move(event));
  }
  return events;
}

}  // namespace vitrel::test_support
