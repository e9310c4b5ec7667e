// Reads the config.json of the server the plugin runs in.
#include "Config.h"
#include "host/ZelApi.h"

void ReadConfig() { ReadConfigFile(ConfigPath(ZelApi::Tools::GetCurrentDir())); }
