#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/Form.h"

namespace quill::studio {

// The components a design holds for `component`: itself and, for a
// container, every designed control below it, parents before children,
// each container's children in the form's order.
std::vector<TComponent*> DesignedSubtree(const TForm& form, TComponent& component);

// The component as a design stores it ("class", "name", "properties" and
// "children"), with the designed controls below it.
nlohmann::ordered_json WriteComponentTree(const TForm& form, const TComponent& component);

// Makes components from trees as WriteComponentTree gives them, owned by
// the form: controls inside `parent`, non-visual ones on the form, each
// loaded as the design reader loads a form. A reference to a name in
// `renames` goes to the new name; one to a component that does not exist
// is left unset. Raises Exception with the reader's message and leaves
// the form as it was when a tree is refused. Returns the tops of the trees.
std::vector<TComponent*> CreateComponentTrees(TForm& form, TWinControl& parent,
                                              const std::vector<nlohmann::ordered_json>& trees,
                                              const std::unordered_map<std::string, std::string>& renames = {});

// Destroys the components, those below them first.
void DestroyComponents(const std::vector<TComponent*>& components);

}  // namespace quill::studio
