// Linked with every object of the pure core and nothing of SDL or OpenGL: it only has to link.
int main() {
    return 0;
}
