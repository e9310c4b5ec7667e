// The day counter of the live game state, and the "day.set" command handlers.
#pragma once

#include <cstdint>

#include "host/ZelApi.h"

// Returns the world's game state, or null when the world, the name or the pointer is missing.
AShooterGameState* GetGameState(UWorld* world);

// Returns the address of the game state's day counter, or null when the name does not resolve.
int32_t* DayNumberRef(AShooterGameState* gameState);

// Writes the day through the game state's counter, then asks the game state to replicate
// itself to clients (ForceNetUpdate with false, false, false). Writes nothing when the update
// does not resolve.
void WriteDay(AShooterGameState* gameState, int32_t& dayNumber, int32_t day);

// Writes the day into the current world's game state, then pushes the network update.
// Does nothing when there is no world, no game state, or a name does not resolve.
void SetDay(int32_t day);

// Converts a word as _wtoi does: white space, optional sign, digits; clamped to 32 bits.
int32_t WordToDay(const FString& word);

// Handles "day.set N" typed on the server console.
void OnSetDayConsole(APlayerController* player, FString* text, bool fromCheat);

// Handles "day.set N" sent over RCON; the command line is the packet's body.
void OnSetDayRcon(RCONClientConnection* connection, RCONPacket* packet, UWorld* world);
