// The reference for start-up speed: the least an SDL 1.2 program does before its first
// OpenGL frame is on screen. Prints the wall-clock time of that moment (seconds since the
// epoch), which compare_startup.py sets against the time it started the process.

#include <SDL.h>
#include <GL/gl.h>

#include <cstdio>
#include <ctime>

int main(int, char**) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    if (SDL_SetVideoMode(640, 480, 0, SDL_OPENGL) == nullptr)
        return 1;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SDL_GL_SwapBuffers();
    glFinish();
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    std::printf("first frame %ld.%09ld\n", static_cast<long>(now.tv_sec), now.tv_nsec);
    SDL_Quit();
    return 0;
}
