// Keeps a ball's centre at least `radius` from every collision rectangle.
#pragma once

// Pushes (ballX, ballY) out to exactly `radius` from the nearest point of each
// rectangle of collisionRects it is closer to, in list order, so a later push
// is final; a centre inside a rectangle leaves it on the field's side. Called
// by the match frame for every ball, after each step of its move.
void collideBallWithRects(double& ballX, double& ballY, double radius);
