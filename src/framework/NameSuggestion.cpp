#include "framework/NameSuggestion.h"

#include <algorithm>

#include "framework/TextHelpers.h"

namespace quill {

namespace {

// Edit distance (insert, delete, replace, swap of neighbours), one row at a
// time, so memory stays linear in the candidate's length.
size_t Distance(const std::string& a, const std::string& b) {
    std::vector<size_t> before(b.size() + 1), previous(b.size() + 1), current(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) previous[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                current[j] = std::min(current[j], before[j - 2] + 1);
        }
        before.swap(previous);
        previous.swap(current);
    }
    return previous[b.size()];
}

bool HasMemberPrefix(const std::string& name) {
    return name.size() > 2 && name[0] >= 'a' && name[0] <= 'z' && name[1] >= 'a' && name[1] <= 'z' &&
           ((name[2] >= 'A' && name[2] <= 'Z') || (name[2] >= '0' && name[2] <= '9'));
}

size_t DistanceTo(const std::string& lowerName, const std::string& candidate) {
    std::string lower = LowerCase(candidate);
    size_t d = Distance(lowerName, lower);
    if (HasMemberPrefix(candidate)) d = std::min(d, Distance(lowerName, lower.substr(2)));
    return d;
}

}  // namespace

std::optional<std::string> NearestName(const std::string& name, const std::vector<std::string>& candidates) {
    const std::string lowerName = LowerCase(name);
    // A third of the name may be wrong, at least one and at most three edits.
    const size_t allowed = std::clamp<size_t>(name.size() / 3, 1, 3);
    std::optional<std::string> best;
    size_t bestDistance = allowed + 1;
    for (const std::string& candidate : candidates) {
        // Lengths too far apart cannot be near; this keeps a huge name cheap.
        if (name.size() > candidate.size() + allowed || candidate.size() > name.size() + allowed + 2) continue;
        size_t d = DistanceTo(lowerName, candidate);
        if (d < bestDistance) best = candidate, bestDistance = d;
    }
    return best;
}

std::string DidYouMean(const std::string& name, const std::vector<std::string>& candidates) {
    std::optional<std::string> nearest = NearestName(name, candidates);
    return nearest ? "; did you mean " + *nearest + "?" : "";
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& n : names) text += (text.empty() ? "" : ", ") + n;
    return text;
}

}  // namespace quill
