// Keeps a ball's centre at least `radius` from every collision rectangle.
#pragma once

struct CollisionRect;

// Pushes (ballX, ballY) out to exactly `radius` from the nearest point of each
// rectangle of collisionRects it is closer to, in list order, so a later push
// is final; a centre inside a rectangle leaves it on the field's side. Returns
// the rectangle of the last push, null when none pushed. Called by the match
// frame for every ball, after each step of its move.
const CollisionRect* collideBallWithRects(double& ballX, double& ballY, double radius);
