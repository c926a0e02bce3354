#include "platform/Forms.h"

std::map<std::type_index, std::unique_ptr<QWidget>>& Forms::instances()
{
    static std::map<std::type_index, std::unique_ptr<QWidget>> forms;
    return forms;
}

void Forms::destroyAll()
{
    // A form may refer to another while it is destroyed; take them out first.
    auto forms = std::move(instances());
    instances().clear();
    forms.clear();
}
