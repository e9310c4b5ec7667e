// Plugin start-up and shut-down, and the plugin logger.
#pragma once

#include <memory>

namespace spdlog {
class logger;
}

// Returns the holder of the plugin logger, empty until Load fills it.
std::shared_ptr<spdlog::logger>& PluginLog();

// Creates the logger, registers "day.set", reads config.json and registers the enabled policies.
// Errors leave as exceptions, with everything registered before them left in place.
void Load();

// Removes both "day.set" commands and all four policy timers, whatever was registered.
void Unload();
