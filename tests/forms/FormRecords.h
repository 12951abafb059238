#pragma once
// Shared by the forms tests: the stored records of the forms, snapshots of them to see what an
// operation changed, and the round trip through a real working copy.
#include "forms/FormRegistry.h"
#include "store/Records.h"

#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

std::vector<FieldRecord> CollectAll(const FormRegistry& registry);
std::vector<FieldRecord> Collect(const DocumentForm& form);

// (form key, record name) -> stored value, over every form of a registry.
using Snapshot = std::map<std::pair<std::string, std::string>, std::string>;
Snapshot TakeSnapshot(const FormRegistry& registry);
// The entries of `after` that `before` lacks or holds otherwise, and "<gone>" for those only
// `before` has.
Snapshot Changes(const Snapshot& before, const Snapshot& after);

// Sets every stored field of a form to what `textOf` gives for it; no text leaves it as it is.
void SetStoredFields(
    DocumentForm& form,
    const std::function<std::optional<QString>(const LayoutComponent&, int index)>& textOf);

// Stores the records as a student's table of the working copy (made, or rewritten when
// there), empties every form, loads the table back and fills the forms with it.
void StoreAndReload(FormRegistry& registry, const std::vector<FieldRecord>& records);
