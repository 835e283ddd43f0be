#version 130
// Clock movement, dial, hour and minute hands and pendulum. The parts of the
// one mesh are picked out by vertex number and moved here; then lit per vertex.

in vec4 position;
in vec2 position_tex;
in vec3 position_normal;
in vec3 position_tangent;
in vec3 position_bitagent;
in vec3 material_ambient;
in vec3 material_diffuse;
in vec4 material_specular;

uniform mat4 model_world;
uniform mat4 world_projection;
uniform mat4 model_projection;
uniform vec3 light_pos;
uniform float iTime;
uniform float iHour;
uniform float iMinute;

out vec4 color;
out vec2 fs_tex;
out float isVisible;
out vec3 isCopperRedSteel;

const float PI_CONST = 3.1415926535897932384626433832795;
const float speed = -PI_CONST / 1.5;

// The turn each modelled hand gets at a value of 0.
const float MINUTE_ZERO_ANGLE = -0.16;
const float HOUR_ZERO_ANGLE = 2.695;

// Motion centres (model units).
const vec3 PENDULUM_CENTRE = vec3(-19.8062, 0.04179, -1.290);
const vec3 YOKE_CENTRE = vec3(-14.83, 0.0, 6.45);
const vec3 GEARS_25_26_CENTRE = vec3(-6.74, 0.0, 0.0);
const vec3 GEARS_35_33_CENTRE = vec3(1.97, 0.0, 0.0);
const vec3 GEAR_35_BOTTOM_CENTRE = vec3(10.66, 0.0, 0.0);
const vec3 GEAR_35_CENTRE_CENTRE = vec3(1.97, 0.0, 0.0);
const vec3 GEAR_30_TOP_CENTRE = vec3(-3.12, 0.0, 0.0);
const vec3 GEARS_45_46_CENTRE = vec3(6.60, 0.0, 0.0);
const vec3 HANDS_CENTRE = vec3(2.0, 0.0, 0.0);

bool inRange(int id, int first, int last)
{
    return id >= first && id <= last;
}

mat3 rotationX(float a)
{
    float c = cos(a);
    float s = sin(a);
    return mat3(1.0, 0.0, 0.0,
                0.0, c, -s,
                0.0, s, c);
}

mat3 rotationY(float a)
{
    float c = cos(a);
    float s = sin(a);
    return mat3(c, 0.0, s,
                0.0, 1.0, 0.0,
                -s, 0.0, c);
}

// A positive angle turns clockwise seen from +Z.
mat3 rotationZ(float a)
{
    float c = cos(a);
    float s = sin(a);
    return mat3(c, -s, 0.0,
                s, c, 0.0,
                0.0, 0.0, 1.0);
}

vec4 rotateAroundPoint(vec4 p, vec3 centre, float xAngle, float yAngle, float zAngle)
{
    vec3 d = rotationZ(zAngle) * rotationY(yAngle) * rotationX(xAngle) * (p.xyz - centre);
    return vec4(d + centre, p.w);
}

vec4 turn(vec4 p, vec3 centre, float angle)
{
    return rotateAroundPoint(p, centre, 0.0, 0.0, angle);
}

void main()
{
    int id = gl_VertexID;
    float t = iTime;

    bool pendulum = inRange(id, 101082, 120218);
    bool pendulumBob = inRange(id, 101082, 102414);
    bool pendulumRod = inRange(id, 118113, 118484);
    bool pendulumHead = inRange(id, 118485, 120218);
    bool escapement = inRange(id, 3396, 6137);
    bool yoke = inRange(id, 2280, 2651) || inRange(id, 99750, 101081) || escapement;
    bool gears25And26 = inRange(id, 77331, 98501);
    bool gear26 = inRange(id, 77331, 79442);
    bool gear25Inner = inRange(id, 97488, 98501);
    bool gears35And33 = inRange(id, 66675, 77282) || inRange(id, 43311, 45362);
    bool gear35Bottom = inRange(id, 45363, 55970) || inRange(id, 41259, 43309);
    bool gear35Inner = inRange(id, 55971, 56018);
    // The centre wheel's ranges: a vertex listed in two of them turns twice.
    int gear35CentreTurns = int(inRange(id, 56031, 66626)) + int(inRange(id, 39429, 40388)) +
                            int(inRange(id, 37089, 39428)) + int(inRange(id, 35037, 37089)) +
                            int(inRange(id, 23697, 30452));
    bool gear38Inner = inRange(id, 29378, 30452);
    bool gear30Top = inRange(id, 32987, 35035);
    bool gears45And46 = inRange(id, 14811, 23696);
    bool gear46Inner = inRange(id, 22737, 23696);
    bool minuteHand = inRange(id, 13971, 14810);
    bool hourHand = inRange(id, 40389, 41258);
    bool clockFace = inRange(id, 8418, 13970);

    // The motion groups do not overlap: each vertex takes the centre and
    // angle of its group, if any, and is turned once (the centre wheel's
    // doubly listed vertex once more), so that only one sine and cosine are
    // taken per vertex rather than one for every group.
    float gearTurn = 0.05 * speed * t;
    float swing = sin(1.5 * speed * t);
    bool moves = true;
    vec3 centre = vec3(0.0);
    float angle = 0.0;
    if (pendulum) {
        centre = PENDULUM_CENTRE;
        angle = swing * 0.15 * 0.5;
    } else if (yoke) {
        centre = YOKE_CENTRE;
        angle = swing * 0.24 * 0.5;
    } else if (gears25And26) {
        centre = GEARS_25_26_CENTRE;
        angle = gearTurn;
    } else if (gears35And33) {
        centre = GEARS_35_33_CENTRE;
        angle = -gearTurn * (16.0 / 60.0);
    } else if (gear35Bottom) {
        centre = GEAR_35_BOTTOM_CENTRE;
        angle = gearTurn * (16.0 / 60.0) * (15.0 / 60.0);
    } else if (gear35CentreTurns > 0) {
        centre = GEAR_35_CENTRE_CENTRE;
        angle = -gearTurn * (16.0 / 60.0) * (15.0 / 60.0) * (15.0 / 60.0);
    } else if (gear30Top) {
        centre = GEAR_30_TOP_CENTRE;
        angle = gearTurn * (16.0 / 60.0) * (15.0 / 60.0) * (15.0 / 60.0);
    } else if (gears45And46) {
        centre = GEARS_45_46_CENTRE;
        angle = gearTurn * (16.0 / 60.0) * (15.0 / 60.0) * (15.0 / 60.0) * (32.0 / 8.0);
    } else if (minuteHand) {
        centre = HANDS_CENTRE;
        angle = MINUTE_ZERO_ANGLE + (2.0 * PI_CONST / 60.0) * iMinute;
    } else if (hourHand) {
        centre = HANDS_CENTRE;
        angle = HOUR_ZERO_ANGLE + (2.0 * PI_CONST / 12.0) * iHour;
    } else {
        moves = false;
    }
    vec4 P = position;
    if (moves)
        P = turn(P, centre, angle);
    if (gear35CentreTurns > 1)
        P = turn(P, centre, angle);

    // Lighting in world space; the eye is taken to be at the world origin.
    P = model_world * P;
    vec3 N = normalize((model_world * vec4(position_normal, 0.0)).xyz);
    vec3 L = normalize(light_pos - P.xyz);
    vec3 V = normalize(-P.xyz);
    vec3 R = reflect(-L, N);
    vec3 diffuse = max(dot(N, L), 0.0) * material_diffuse;
    vec3 specular = pow(max(dot(R, V), 0.0), material_specular.w) * material_specular.xyz;
    color = vec4(0.4 * material_ambient + diffuse + specular, 1.0);

    gl_Position = world_projection * P;
    // The fragment shader discards the clock face wherever it lies: its
    // vertices are put outside the clip volume, so that its triangles are
    // dropped before any of their fragments is shaded.
    if (clockFace)
        gl_Position = vec4(2.0, 2.0, 2.0, 1.0);
    fs_tex = position_tex;

    isVisible = clockFace ? 0.0 : 1.0;
    isCopperRedSteel = vec3(0.0);
    if (pendulumBob || pendulumHead)
        isCopperRedSteel.x = 1.0;
    if (gear35Inner || gear25Inner || gear38Inner || gear46Inner || escapement)
        isCopperRedSteel.x = 1.5;
    if (minuteHand || hourHand)
        isCopperRedSteel.y = 1.0;
    if (gear26 || pendulumRod)
        isCopperRedSteel.z = 1.2;
}
//~
