#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quill {

// The candidate nearest to a mistyped name, when one is near enough to be
// a likely meaning. Letter case and a two-letter lower-case prefix such as
// the "cl" of "clRed" do not count against a candidate, so "red" finds
// "clRed" and "center" finds "haCenter".
std::optional<std::string> NearestName(const std::string& name, const std::vector<std::string>& candidates);

// "; did you mean X?" for the nearest candidate, or "" when none is near.
std::string DidYouMean(const std::string& name, const std::vector<std::string>& candidates);

// The names joined with ", ".
std::string JoinNames(const std::vector<std::string>& names);

}  // namespace quill
