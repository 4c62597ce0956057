#include "content/ContentRun.h"

#include <memory>

#include "run/RunContext.h"

namespace trelvane {

ContentRun& Content() {
    std::shared_ptr<ContentRun>& content = CurrentRun().content;
    if (!content) content = std::make_shared<ContentRun>();
    return *content;
}

}  // namespace trelvane
