#pragma once
// The four maze algorithms written the plain way: wall entries as (row, column, direction)
// records, recursion where the algorithm recurses, no packing. Slow, but easy to check line
// by line; the generator must make the same draws and the same walls.

#include "base/RandomSource.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace plainmazes {

constexpr std::uint8_t BELOW = 1;
constexpr std::uint8_t RIGHT = 2;

struct Wall {
    int row;
    int column;
    std::uint8_t direction; // BELOW or RIGHT of (row, column)
};

struct Grid {
    int width;
    int height;
    std::vector<std::uint8_t> walls;

    Grid(int w, int h, std::uint8_t fill) : width(w), height(h), walls(w * h, fill) {}
    std::uint8_t& at(int row, int column) { return walls[row * width + column]; }
    int cellA(const Wall& wall) const { return wall.row * width + wall.column; }
    int cellB(const Wall& wall) const {
        return wall.direction == RIGHT ? cellA(wall) + 1 : cellA(wall) + width;
    }
    bool isStanding(const Wall& wall) { return at(wall.row, wall.column) & wall.direction; }
    void clear(const Wall& wall) { at(wall.row, wall.column) &= ~wall.direction; }
};

template <typename T> void removeAt(std::vector<T>& list, std::size_t i) {
    list[i] = list.back();
    list.pop_back();
}

inline void addStandingWalls(Grid& grid, int r, int c, std::vector<Wall>& frontier) {
    const Wall around[] = {{r - 1, c, BELOW}, {r, c - 1, RIGHT}, {r, c, BELOW}, {r, c, RIGHT}};
    const bool exists[] = {r > 0, c > 0, r < grid.height - 1, c < grid.width - 1};
    for (int k = 0; k < 4; ++k)
        if (exists[k] && grid.isStanding(around[k]))
            frontier.push_back(around[k]);
}

inline Grid makePrim(int width, int height, const RandomSource& random) {
    Grid grid(width, height, BELOW | RIGHT);
    std::vector<bool> inMaze(width * height, false);
    std::vector<Wall> frontier;
    int c0 = random() % width;
    int r0 = random() % height;
    if (c0 > 0)
        frontier.push_back({r0, c0 - 1, RIGHT});
    if (r0 > 0)
        frontier.push_back({r0 - 1, c0, BELOW});
    if (c0 < width - 1)
        frontier.push_back({r0, c0, RIGHT});
    if (r0 < height - 1)
        frontier.push_back({r0, c0, BELOW});
    inMaze[r0 * width + c0] = true;
    while (!frontier.empty()) {
        std::size_t i = random() % frontier.size();
        Wall wall = frontier[i];
        int a = grid.cellA(wall);
        int b = grid.cellB(wall);
        if (grid.isStanding(wall) && (!inMaze[a] || !inMaze[b])) {
            grid.clear(wall);
            int n = inMaze[a] ? b : a;
            inMaze[n] = true;
            addStandingWalls(grid, n / width, n % width, frontier);
        }
        removeAt(frontier, i);
    }
    return grid;
}

inline void visit(Grid& grid, std::vector<bool>& visited, int r, int c,
                  const RandomSource& random) {
    visited[r * grid.width + c] = true;
    std::vector<std::pair<int, int>> list;
    if (c > 0)
        list.push_back({r, c - 1});
    if (r > 0)
        list.push_back({r - 1, c});
    if (c < grid.width - 1)
        list.push_back({r, c + 1});
    if (r < grid.height - 1)
        list.push_back({r + 1, c});
    while (!list.empty()) {
        std::size_t i = random() % list.size();
        auto [nr, nc] = list[i];
        if (!visited[nr * grid.width + nc]) {
            if (nr != r)
                grid.at(std::min(r, nr), c) &= ~BELOW;
            else
                grid.at(r, std::min(c, nc)) &= ~RIGHT;
            visit(grid, visited, nr, nc, random);
        }
        removeAt(list, i);
    }
}

inline Grid makeDfs(int width, int height, const RandomSource& random) {
    Grid grid(width, height, BELOW | RIGHT);
    std::vector<bool> visited(width * height, false);
    visit(grid, visited, 0, 0, random);
    return grid;
}

struct Node {
    Node* parent = nullptr;
    int rank = 0;
};

inline Node* findRoot(Node* node) {
    Node* root = node;
    while (root->parent)
        root = root->parent;
    while (node != root) {
        Node* next = node->parent;
        node->parent = root;
        node = next;
    }
    return root;
}

inline Grid makeKruskal(int width, int height, const RandomSource& random) {
    Grid grid(width, height, BELOW | RIGHT);
    std::vector<Node> nodes(width * height);
    std::vector<Wall> edges;
    for (int r = 0; r <= height - 2; ++r)
        for (int c = 0; c <= width - 2; ++c) {
            edges.push_back({r, c, RIGHT});
            edges.push_back({r, c, BELOW});
        }
    for (int r = 0; r <= height - 2; ++r)
        edges.push_back({r, width - 1, BELOW});
    for (int c = 0; c <= width - 2; ++c)
        edges.push_back({height - 1, c, RIGHT});
    for (std::size_t i = 1; i < edges.size(); ++i)
        std::swap(edges[i], edges[random() % (i + 1)]);
    for (const Wall& wall : edges) {
        Node* a = findRoot(&nodes[grid.cellA(wall)]);
        Node* b = findRoot(&nodes[grid.cellB(wall)]);
        if (a == b)
            continue;
        if (b->rank > a->rank) {
            a->parent = b;
        } else if (a->rank == b->rank) {
            ++b->rank;
            a->parent = b;
        } else {
            b->parent = a;
        }
        grid.clear(wall);
    }
    return grid;
}

inline void divide(Grid& grid, int x0, int y0, int x1, int y1, const RandomSource& random) {
    int W = grid.width;
    int H = grid.height;
    if (x1 - x0 == 1) {
        if (y1 < H)
            grid.at(y1 - 1, x0) ^= BELOW;
        if (x1 < W)
            for (int y = y0; y < y1; ++y)
                grid.at(y, x1 - 1) ^= RIGHT;
        return;
    }
    if (y1 - y0 == 1) {
        if (x1 < W)
            grid.at(y0, x1 - 1) ^= RIGHT;
        if (y1 < H)
            for (int x = x0; x < x1; ++x)
                grid.at(y1 - 1, x) ^= BELOW;
        return;
    }
    int a = random() % (x1 - x0 - 1);
    int b = random() % (y1 - y0 - 1);
    int e = x0 + a;
    int xs = e + 1;
    int ys = y0 + b + 1;
    divide(grid, x0, y0, xs, ys, random);
    divide(grid, xs, y0, x1, ys, random);
    divide(grid, x0, ys, xs, y1, random);
    divide(grid, xs, ys, x1, y1, random);
    int k = random() % 4;
    for (int s = 0; s < 4; ++s) {
        if (s == k)
            continue;
        if (s == 0)
            grid.at(y0 + random() % (ys - y0), e) ^= RIGHT;
        else if (s == 1)
            grid.at(ys + random() % (y1 - ys), e) ^= RIGHT;
        else if (s == 2)
            grid.at(ys - 1, x0 + random() % (xs - x0)) ^= BELOW;
        else
            grid.at(ys - 1, xs + random() % (x1 - xs)) ^= BELOW;
    }
}

inline Grid makeChambers(int width, int height, const RandomSource& random) {
    Grid grid(width, height, 0);
    divide(grid, 0, 0, width, height, random);
    return grid;
}

// By the menu's algorithm index.
inline Grid makePlainMaze(int algorithm, int width, int height, const RandomSource& random) {
    switch (algorithm) {
    case 0:
        return makePrim(width, height, random);
    case 1:
        return makeDfs(width, height, random);
    case 2:
        return makeKruskal(width, height, random);
    default:
        return makeChambers(width, height, random);
    }
}

} // namespace plainmazes
