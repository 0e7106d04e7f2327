/* Says whether the pointer can be seen where it stands: prints "shown" when the cursor image
   the X server draws now has a pixel that is not fully transparent, "hidden" otherwise.
   Usage: cursor-probe */
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <stdio.h>

int main(void) {
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "cursor-probe: cannot open display\n");
        return 1;
    }
    int eventBase = 0, errorBase = 0;
    if (!XFixesQueryExtension(display, &eventBase, &errorBase)) {
        fprintf(stderr, "cursor-probe: no XFIXES extension\n");
        return 1;
    }
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (image == NULL) {
        fprintf(stderr, "cursor-probe: no cursor image\n");
        return 1;
    }
    int shown = 0;
    /* Each pixel is ARGB in an unsigned long; alpha is the top byte of the 32 bits. */
    for (int i = 0; i < image->width * image->height && !shown; ++i)
        shown = ((image->pixels[i] >> 24) & 0xff) != 0;
    printf("%s\n", shown ? "shown" : "hidden");
    XFree(image);
    XCloseDisplay(display);
    return 0;
}
