#include "setup/greetings.h"

#include "store/settings.h"

namespace roomwright {

SetupProgress setupProgress(const Store& store) {
    return {store.rooms().count() > 0, taxRate(store) > 0.0f};
}

} // namespace roomwright
