#pragma once
// The engine's entry points: set-up when the main window opens, and the one
// drawing of the whole diagram onto any surface.
class Graphics;

// Creates the frames, the objects and the page setup, fills the unit scales
// and stores the canvas size of the main window.
void SetupDiagram();

// Draws background, calibration circles, both frames and both objects, and,
// for a picked meeting point, writes the readouts and draws the construction.
// Draws nothing before SetupDiagram has run.
void DrawDiagram(Graphics& g);
