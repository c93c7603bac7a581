#include "site/store/SiteStore.h"

#include "site/SiteOptions.h"
#include "site/store/FolderStore.h"
#include "site/store/PostgresStore.h"

namespace site {

std::unique_ptr<SiteStore> openStore(const SiteOptions& options) {
    if (options.database.empty())
        return std::make_unique<FolderStore>(options.data, options.storageBytes);
    // One connection per request thread, so that no request waits for another's statement.
    return std::make_unique<PostgresStore>(options.database, options.storageBytes,
                                           static_cast<std::size_t>(handlerThreads(options)) + 2);
}

} // namespace site
