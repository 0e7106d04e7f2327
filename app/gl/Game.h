#pragma once
// The single game object: owns the long-lived pieces, builds them in start-up order and
// runs the main loop. It lives until the process exits and is never destroyed.

class Ball;
class BestTimes;
class GameMenuHost;
class GamePlayHost;
class InputDevice;
class MainMenu;
class Renderer;
class Settings;
class TiltInput;
class TimesKeeper;

class Game {
public:
    // Builds everything in start-up order; a display that cannot be opened ends the process.
    void init(int argc, char** argv);
    // Returns when the player leaves the game.
    void run();

    MainMenu* mainMenu = nullptr;
    Renderer* renderer = nullptr;
    Ball* ball = nullptr;
    TiltInput* tiltInput = nullptr;
    Settings* settings = nullptr;
    InputDevice* inputDevice = nullptr; // every loop's events, in the menus and in play
    BestTimes* bestTimes = nullptr;     // the run's one table, backed by "times.dat"
    TimesKeeper* timesKeeper = nullptr; // its saves, and the times that wait for one
    GamePlayHost* playHost = nullptr;
    GameMenuHost* menuHost = nullptr;
};

extern Game game;
