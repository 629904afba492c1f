#pragma once
// The diagram as the main window shows it: set up for the main window's
// canvas, drawn from its object controls, its readout group written.
class Graphics;

// Sets the engine up for the canvas of the main window (on its Open event).
void SetupDiagram();

// The one drawing of the diagram onto g (the canvas or a printer page),
// reading the main window's object controls and, for a picked meeting point,
// writing and showing its readout group.
void DrawDiagram(Graphics& g);
