// Program entry. The window and the main loop arrive with the platform layer.
#include <cstdio>

int main() {
    std::fprintf(stderr, "Brennolt: there is no window yet; run the tests instead.\n");
    return 1;
}
