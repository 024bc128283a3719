// Prints the player page address the program navigates to when a channel with the given address
// (as column 1 holds it: without the scheme) is double-clicked. The player host's browser tests
// replay exactly this address.
#include "playback/player_page.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: player_address CHANNEL_ADDRESS\n");
        return 2;
    }
    std::printf("%s\n", playback::PlayerPageAddress(playback::PlayerPrefixWithScheme, argv[1]).c_str());
    return 0;
}
