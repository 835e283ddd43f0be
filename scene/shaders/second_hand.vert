#version 130
// Second hand: the whole mesh turns about the hands' centre once a minute.

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
uniform float iSecond;

out vec4 color;
out vec2 fs_tex;

const float PI_CONST = 3.1415926535897932384626433832795;

// The turn the modelled hand gets at a value of 0.
const float SECOND_ZERO_ANGLE = -0.097;

const vec3 HANDS_CENTRE = vec3(2.0, 0.0, 0.0);

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

void main()
{
    vec4 P = rotateAroundPoint(position, HANDS_CENTRE, 0.0, 0.0,
                               SECOND_ZERO_ANGLE + (2.0 * PI_CONST / 60.0) * iSecond);

    // Lighting in world space; the eye is taken to be at the world origin.
    P = model_world * P;
    vec3 N = normalize((model_world * vec4(position_normal, 0.0)).xyz);
    vec3 L = normalize(light_pos - P.xyz);
    vec3 V = normalize(-P.xyz);
    vec3 R = reflect(-L, N);
    vec3 diffuse = max(dot(N, L), 0.0) * material_diffuse;
    vec3 specular = pow(max(dot(R, V), 0.0), material_specular.w) * material_specular.xyz;
    color = vec4(1.0 * material_ambient + diffuse + specular, 1.0);

    gl_Position = world_projection * P;
    fs_tex = position_tex;
}
//~
