#pragma once

#include "common/Settings.h"

#include <QStringList>

namespace player {
class Clip;
class Stage;
} // namespace player

namespace shell {

// The product's version number, compared with the one the web site publishes.
inline constexpr int kProgramVersion = 2;

// Lets movies from the partner site and from the maker's own hosts script this movie.
void allowPartnerDomains(player::Stage& stage);

// `WebRoot`, `UploadTarget`, `UploadPath`, `UploadFormOpen` and `pVersion`, all built from
// the one site base.
void setSiteAddresses(player::Clip& root);

// The host name of the maker's web site, as the footer link shows it.
[[nodiscard]] QString siteHostName(const common::Settings& settings);

} // namespace shell
