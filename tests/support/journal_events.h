// The events of a journal the host wrote into memory, for the in-process
// test fixtures.
#pragma once

#include <rapidjson/document.h>

#include <string>
#include <string_view>
#include <vector>

namespace vitrel::test_support {

// The events named `name` (every event for an empty name) in the journal
// text `journal`, one JSON object per line, in order. Lines that hold no
// event are passed over: a test asks for events, not for a valid journal.
std::vector<rapidjson::Document> JournalEvents(const std::string& journal, std::string_view name);

}  // namespace vitrel::test_support
