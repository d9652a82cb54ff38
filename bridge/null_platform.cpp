#include "bridge/null_window_service.h"

#include <utility>

namespace Module1 {

// Away from Windows there is no messenger to find.
std::unique_ptr<WindowService> CreatePlatformWindowService(EventPump pump) {
    return std::make_unique<NullWindowService>(std::move(pump));
}

} // namespace Module1
