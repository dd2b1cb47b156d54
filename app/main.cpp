// Entry point of the window program; the Qt window lands with its own change.
int main() { return 0; }
