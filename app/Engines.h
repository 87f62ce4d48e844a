#pragma once
// The engines that run without their windows (radio, keyers, cluster, spectrum map) put their links in
// place at start-up, before the first logging window can call them.

namespace tylog {

void InstallEngines();

} // namespace tylog
